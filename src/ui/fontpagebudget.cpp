#include "ui/fontpagebudget.h"

#include "ui/fontpages.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <vector>

#include <dlfcn.h>

namespace ui {
namespace {

std::mutex g_budgetsLock;
std::vector<int> g_budgets; // every budget on, in no particular order
std::atomic<int> g_current{0};
std::atomic<quint64> g_sinceRelease{0}; // glyph loads since a budget last released
std::atomic<quint64> g_glyphLoads{0};
std::atomic<quint64> g_releases{0};

void followSmallest()
{
    const auto smallest = std::min_element(g_budgets.cbegin(), g_budgets.cend());
    g_current.store(smallest == g_budgets.cend() ? 0 : *smallest, std::memory_order_relaxed);
}

} // namespace

FontPageBudget::FontPageBudget(int glyphLoads) : m_glyphLoads(std::max(glyphLoads, 1))
{
    const std::lock_guard<std::mutex> lock(g_budgetsLock);
    g_budgets.push_back(m_glyphLoads);
    followSmallest();
}

FontPageBudget::~FontPageBudget()
{
    const std::lock_guard<std::mutex> lock(g_budgetsLock);
    g_budgets.erase(std::find(g_budgets.begin(), g_budgets.end(), m_glyphLoads));
    followSmallest();
}

int FontPageBudget::current()
{
    return g_current.load(std::memory_order_relaxed);
}

quint64 FontPageBudget::glyphLoads()
{
    return g_glyphLoads.load(std::memory_order_relaxed);
}

quint64 FontPageBudget::releases()
{
    return g_releases.load(std::memory_order_relaxed);
}

void FontPageBudget::countGlyphLoad()
{
    g_glyphLoads.fetch_add(1, std::memory_order_relaxed);
    // Loads are counted with no budget on too: the first load under a budget gives back what
    // the work before it left resident.
    const quint64 loads = g_sinceRelease.fetch_add(1, std::memory_order_relaxed) + 1;
    const int budget = current();
    if (budget <= 0 || loads < quint64(budget))
        return;
    g_sinceRelease.store(0, std::memory_order_relaxed);
    releaseKnownFontPages();
    g_releases.fetch_add(1, std::memory_order_relaxed);
}

} // namespace ui

// FreeType's glyph loader as Qt calls it: FT_Error FT_Load_Glyph(FT_Face, FT_UInt, FT_Int32).
// The program's own definition comes first in the dynamic linker's search, so Qt's calls land
// here; each goes on to FreeType's definition (the next one), and the load is counted.
extern "C" __attribute__((visibility("default"))) int FT_Load_Glyph(void *face, unsigned int glyphIndex,
                                                                    int loadFlags)
{
    using Load = int (*)(void *, unsigned int, int);
    static const auto freetypeLoad = reinterpret_cast<Load>(dlsym(RTLD_NEXT, "FT_Load_Glyph"));
    if (!freetypeLoad)
        return 0x06; // FT_Err_Invalid_Argument: no FreeType to pass the call to
    const int error = freetypeLoad(face, glyphIndex, loadFlags);
    ui::FontPageBudget::countGlyphLoad();
    return error;
}
