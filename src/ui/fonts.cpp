#include "ui/fonts.h"

namespace ui {
namespace {

using Kind = InstalledFace::Kind;

struct TableRow {
    const char16_t *designFace;
    InstalledFace face;
};

// Every face the windows name, with the installed face that stands in for it. The design's
// Chinese faces are Windows faces that Debian does not ship; fonts-noto-cjk provides one sans
// and one serif collection. Round, plain and decorative faces go to the sans; brush, clerical
// and Song display faces to the serif (regular weight only). 宋体 and 华文新魏 are the faces of
// the start window's text and button and read best at their small sizes in the sans; 华文彩云,
// a hollow display face, is drawn at its large size in the regular sans. So the start window
// maps a single font file.
constexpr TableRow kTable[] = {
    {u"宋体", {Kind::CjkSans, true}},
    {u"SimSun", {Kind::CjkSans, true}},
    {u"System", {Kind::CjkSans, true}},
    {u"幼圆", {Kind::CjkSans, true}},
    {u"YouYuan", {Kind::CjkSans, true}},
    {u"华文彩云", {Kind::CjkSans, false}},
    {u"STCaiyun", {Kind::CjkSans, false}},
    {u"华文新魏", {Kind::CjkSans, true}},
    {u"STXinwei", {Kind::CjkSans, true}},
    {u"方正姚体", {Kind::CjkSans, true}},
    {u"FZYaoTi", {Kind::CjkSans, true}},
    {u"方正舒体", {Kind::CjkSerif, false}},
    {u"FZShuTi", {Kind::CjkSerif, false}},
    {u"隶书", {Kind::CjkSerif, false}},
    {u"LiSu", {Kind::CjkSerif, false}},
    {u"楷体_GB2312", {Kind::CjkSerif, false}},
    {u"KaiTi", {Kind::CjkSerif, false}},
    {u"华文行楷", {Kind::CjkSerif, false}},
    {u"STXingkai", {Kind::CjkSerif, false}},
    {u"华文中宋", {Kind::CjkSerif, false}},
    {u"STZhongsong", {Kind::CjkSerif, false}},
    // A Latin face: DejaVu Sans Condensed is close to Century Gothic's average width, so the
    // print areas' columns fall about where the design has them.
    {u"Century Gothic", {Kind::LatinCondensed, true}},
    // The query window's print display places its columns at eight pixels, the average width
    // of Nimbus Sans bold at the size it shrinks to; its stand-in for Century Gothic stays.
    {u"Nimbus Sans", {Kind::LatinSans, true}},
};

const QString kSansSc = QStringLiteral("Noto Sans CJK SC");
const QString kSansJp = QStringLiteral("Noto Sans CJK JP");
const QString kSerifSc = QStringLiteral("Noto Serif CJK SC");
const QString kSerifJp = QStringLiteral("Noto Serif CJK JP");

const InstalledFace *lookUp(const QString &designFace)
{
    for (const TableRow &row : kTable) {
        if (designFace.compare(QString::fromUtf16(row.designFace), Qt::CaseInsensitive) == 0)
            return &row.face;
    }
    return nullptr;
}

} // namespace

InstalledFace installedFace(const QString &designFace, Fallback fallback)
{
    if (const InstalledFace *face = lookUp(designFace.trimmed()))
        return *face;
    if (fallback == Fallback::Serif)
        return {Kind::CjkSerif, false};
    return {Kind::CjkSans, true};
}

QStringList installedFamilies(const InstalledFace &face, TextLanguage language)
{
    const bool japanese = language == TextLanguage::Japanese;
    switch (face.kind) {
    case Kind::CjkSerif:
        return {japanese ? kSerifJp : kSerifSc};
    case Kind::LatinCondensed:
        return {QStringLiteral("DejaVu Sans Condensed"), japanese ? kSansJp : kSansSc};
    case Kind::LatinSans:
        return {QStringLiteral("Nimbus Sans"), japanese ? kSansJp : kSansSc};
    case Kind::CjkSans:
        break;
    }
    return {japanese ? kSansJp : kSansSc};
}

TextLanguage languageOf(const QString &text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        // Hiragana, katakana (with the prolonged sound mark) and the phonetic extensions.
        if ((u >= 0x3041 && u <= 0x30FF) || (u >= 0x31F0 && u <= 0x31FF))
            return TextLanguage::Japanese;
    }
    return TextLanguage::Chinese;
}

QFont inLanguage(const QFont &font, TextLanguage language)
{
    const bool japanese = language == TextLanguage::Japanese;
    QStringList families = font.families();
    bool changed = false;
    for (QString &family : families) {
        const QString &to = family == kSansSc || family == kSansJp     ? (japanese ? kSansJp : kSansSc)
                            : family == kSerifSc || family == kSerifJp ? (japanese ? kSerifJp : kSerifSc)
                                                                       : family;
        if (to != family) {
            family = to;
            changed = true;
        }
    }
    if (!changed)
        return font;
    QFont f = font;
    f.setFamilies(families);
    return f;
}

QFont designFont(const QStringList &faces, qreal points, bool bold, Fallback fallback, TextLanguage language)
{
    InstalledFace face = installedFace(QString(), fallback);
    for (const QString &name : faces) {
        if (const InstalledFace *known = lookUp(name.trimmed())) {
            face = *known;
            break;
        }
    }
    QFont f;
    f.setFamilies(installedFamilies(face, language));
    f.setPointSizeF(points);
    f.setBold(bold && face.keepsBold);
    return f;
}

} // namespace ui
