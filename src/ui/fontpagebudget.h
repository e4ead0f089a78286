#pragma once

#include <QtGlobal>

namespace ui {

// Keeps the font file pages that text work holds resident small while it runs. Laying out or
// drawing a page of CJK text makes FreeType read the outlines of a few hundred glyphs, scattered
// over a font file of 20 MB; every read maps the 64 KiB around it, so one page of help text
// brought in 10 MB of font pages before the quiet moment after the paint gave them back. While a
// budget is on, the pages are given back after every `glyphLoads` glyphs FreeType loads, so no
// more than the neighbourhoods of that many glyphs (and the tables every lookup reads) are
// resident at once. Glyphs Qt has cached are not loaded again, so the cost is one release per
// `glyphLoads` new glyphs; but each release makes the next glyphs fault their pages in again
// (the font's shared tables and the outlines a later paint of the same text reads), so budgets
// belong around bulk text work, not around every paint.
//
// The program sees each glyph load by defining FreeType's FT_Load_Glyph itself and passing the
// call on to FreeType's own; where that definition is not the one Qt calls, the budget does
// nothing and glyphLoads() stays 0.
class FontPageBudget
{
public:
    // On until destroyed. Budgets may overlap and end in any order; the smallest is followed.
    explicit FontPageBudget(int glyphLoads);
    ~FontPageBudget();
    FontPageBudget(const FontPageBudget &) = delete;
    FontPageBudget &operator=(const FontPageBudget &) = delete;

    // The budget followed now: the smallest of those on, 0 when none is.
    static int current();
    // Glyphs FreeType has loaded in this process, and the releases budgets have made.
    static quint64 glyphLoads();
    static quint64 releases();

    // Counts one glyph load and gives the font pages back when the budget is used up.
    static void countGlyphLoad();

private:
    int m_glyphLoads;
};

} // namespace ui
