#include "ui/romaji.h"

#include "ui/settingsfile.h"

#include <QHash>

#include <QSet>
#include <algorithm>

namespace ui {

namespace {

// Syllable spellings to hiragana. The doubled consonant, n and "-" follow rules of their own
// (see convertRun). Katakana is the same table shifted by 0x60.
struct Spelling {
    const char *latin;
    const char16_t *kana;
};

// clang-format off
constexpr Spelling kSpellings[] = {
    {"a", u"あ"}, {"i", u"い"}, {"u", u"う"}, {"e", u"え"}, {"o", u"お"},
    // k g
    {"ka", u"か"}, {"ki", u"き"}, {"ku", u"く"}, {"ke", u"け"}, {"ko", u"こ"}, {"kya", u"きゃ"}, {"kyu", u"きゅ"},
    {"kyo", u"きょ"}, {"kwa", u"くぁ"}, {"ga", u"が"}, {"gi", u"ぎ"}, {"gu", u"ぐ"}, {"ge", u"げ"}, {"go", u"ご"},
    {"gya", u"ぎゃ"}, {"gyu", u"ぎゅ"}, {"gyo", u"ぎょ"}, {"gwa", u"ぐぁ"},
    // s z j, Hepburn sh/j and Kunrei sy/zy
    {"sa", u"さ"}, {"si", u"し"}, {"shi", u"し"}, {"su", u"す"}, {"se", u"せ"}, {"so", u"そ"}, {"sya", u"しゃ"},
    {"syu", u"しゅ"}, {"syo", u"しょ"}, {"sye", u"しぇ"}, {"sha", u"しゃ"}, {"shu", u"しゅ"}, {"sho", u"しょ"},
    {"she", u"しぇ"}, {"za", u"ざ"}, {"zi", u"じ"}, {"ji", u"じ"}, {"zu", u"ず"}, {"ze", u"ぜ"}, {"zo", u"ぞ"},
    {"zya", u"じゃ"}, {"zyu", u"じゅ"}, {"zyo", u"じょ"}, {"zye", u"じぇ"}, {"ja", u"じゃ"}, {"ju", u"じゅ"},
    {"jo", u"じょ"}, {"je", u"じぇ"}, {"jya", u"じゃ"}, {"jyu", u"じゅ"}, {"jyo", u"じょ"},
    // t d, Hepburn ch/ts and Kunrei ti/tu/ty; di, du and dzu for ぢ and づ
    {"ta", u"た"}, {"ti", u"ち"}, {"chi", u"ち"}, {"tu", u"つ"}, {"tsu", u"つ"}, {"te", u"て"}, {"to", u"と"},
    {"tya", u"ちゃ"}, {"tyu", u"ちゅ"}, {"tyo", u"ちょ"}, {"tye", u"ちぇ"}, {"cha", u"ちゃ"}, {"chu", u"ちゅ"},
    {"cho", u"ちょ"}, {"che", u"ちぇ"}, {"cya", u"ちゃ"}, {"cyu", u"ちゅ"}, {"cyo", u"ちょ"}, {"tsa", u"つぁ"},
    {"tsi", u"つぃ"}, {"tse", u"つぇ"}, {"tso", u"つぉ"}, {"thi", u"てぃ"}, {"thu", u"てゅ"}, {"twu", u"とぅ"},
    {"da", u"だ"}, {"di", u"ぢ"}, {"du", u"づ"}, {"dzu", u"づ"}, {"de", u"で"}, {"do", u"ど"}, {"dya", u"ぢゃ"},
    {"dyu", u"ぢゅ"}, {"dyo", u"ぢょ"}, {"dhi", u"でぃ"}, {"dhu", u"でゅ"}, {"dwu", u"どぅ"},
    // n (n alone, nn and n' are rules of their own)
    {"na", u"な"}, {"ni", u"に"}, {"nu", u"ぬ"}, {"ne", u"ね"}, {"no", u"の"}, {"nya", u"にゃ"}, {"nyu", u"にゅ"},
    {"nyo", u"にょ"},
    // h f b p m
    {"ha", u"は"}, {"hi", u"ひ"}, {"hu", u"ふ"}, {"fu", u"ふ"}, {"he", u"へ"}, {"ho", u"ほ"}, {"hya", u"ひゃ"},
    {"hyu", u"ひゅ"}, {"hyo", u"ひょ"}, {"fa", u"ふぁ"}, {"fi", u"ふぃ"}, {"fe", u"ふぇ"}, {"fo", u"ふぉ"},
    {"fyu", u"ふゅ"}, {"ba", u"ば"}, {"bi", u"び"}, {"bu", u"ぶ"}, {"be", u"べ"}, {"bo", u"ぼ"}, {"bya", u"びゃ"},
    {"byu", u"びゅ"}, {"byo", u"びょ"}, {"pa", u"ぱ"}, {"pi", u"ぴ"}, {"pu", u"ぷ"}, {"pe", u"ぺ"}, {"po", u"ぽ"},
    {"pya", u"ぴゃ"}, {"pyu", u"ぴゅ"}, {"pyo", u"ぴょ"}, {"ma", u"ま"}, {"mi", u"み"}, {"mu", u"む"}, {"me", u"め"},
    {"mo", u"も"}, {"mya", u"みゃ"}, {"myu", u"みゅ"}, {"myo", u"みょ"},
    // y r w v
    {"ya", u"や"}, {"yu", u"ゆ"}, {"yo", u"よ"}, {"ye", u"いぇ"}, {"ra", u"ら"}, {"ri", u"り"}, {"ru", u"る"},
    {"re", u"れ"}, {"ro", u"ろ"}, {"rya", u"りゃ"}, {"ryu", u"りゅ"}, {"ryo", u"りょ"}, {"wa", u"わ"},
    {"wi", u"うぃ"}, {"we", u"うぇ"}, {"wo", u"を"}, {"va", u"ゔぁ"}, {"vi", u"ゔぃ"}, {"vu", u"ゔ"}, {"ve", u"ゔぇ"},
    {"vo", u"ゔぉ"},
    // small kana, with x or l
    {"xa", u"ぁ"}, {"xi", u"ぃ"}, {"xu", u"ぅ"}, {"xe", u"ぇ"}, {"xo", u"ぉ"}, {"la", u"ぁ"}, {"li", u"ぃ"},
    {"lu", u"ぅ"}, {"le", u"ぇ"}, {"lo", u"ぉ"}, {"xya", u"ゃ"}, {"xyu", u"ゅ"}, {"xyo", u"ょ"}, {"lya", u"ゃ"},
    {"lyu", u"ゅ"}, {"lyo", u"ょ"}, {"xtu", u"っ"}, {"xtsu", u"っ"}, {"ltu", u"っ"}, {"ltsu", u"っ"},
    {"xwa", u"ゎ"}, {"lwa", u"ゎ"}, {"xka", u"ゕ"}, {"xke", u"ゖ"}, {"lka", u"ゕ"}, {"lke", u"ゖ"},
};
// clang-format on

constexpr int kLongestSpelling = 4;

struct Tables {
    QHash<QString, QString> kana;
    QSet<QString> prefixes; // proper prefixes of the spellings
};

const Tables &tables()
{
    static const Tables t = [] {
        Tables built;
        for (const Spelling &s : kSpellings) {
            const QString latin = QString::fromLatin1(s.latin);
            built.kana.insert(latin, QString::fromUtf16(s.kana));
            for (qsizetype n = 1; n < latin.size(); ++n)
                built.prefixes.insert(latin.left(n));
        }
        return built;
    }();
    return t;
}

bool isLatinLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// Characters a rōmaji run is made of: letters, "-" (ー) and the apostrophe of n'.
bool isRunChar(QChar c)
{
    return isLatinLetter(c) || c == u'-' || c == u'\'';
}

bool isVowel(QChar lower)
{
    return lower == u'a' || lower == u'i' || lower == u'u' || lower == u'e' || lower == u'o';
}

// Consonants whose doubling is written with っ (n doubles into ん instead).
bool doublesToSmallTsu(QChar lower)
{
    return QStringView(u"bcdfghjkmprstvwyz").contains(lower);
}

bool allUpper(QStringView letters)
{
    for (QChar c : letters) {
        if (c.isLower())
            return false;
    }
    return true;
}

QString katakanaIf(bool katakana, QString hiragana)
{
    if (katakana) {
        for (QChar &c : hiragana) {
            if (c.unicode() >= 0x3041 && c.unicode() <= 0x3096)
                c = QChar(char16_t(c.unicode() + 0x60));
        }
    }
    return hiragana;
}

// The letters from i on could still grow into something (only asked at the text's end).
bool waitsForMore(QStringView rest)
{
    if (rest.isEmpty() || rest.size() >= kLongestSpelling)
        return false;
    const QString lower = rest.toString().toLower();
    if (lower == u"n")
        return true;
    if (lower == u"tc")
        return true; // "tch": っ before ch, as in matcha
    return tables().prefixes.contains(lower);
}

// Converts one run of rōmaji characters. atEnd: the run ends the text, so its unfinished tail
// may wait for more letters (tail Keep); otherwise the run is complete.
QString convertRun(QStringView run, bool atEnd, RomajiTail tail)
{
    const bool keepTail = atEnd && tail == RomajiTail::Keep;
    QString out;
    qsizetype i = 0;
    const qsizetype size = run.size();
    auto lowerAt = [&](qsizetype k) { return k < size ? run[k].toLower() : QChar(); };
    while (i < size) {
        const QChar c = run[i];
        const QChar lc = c.toLower();
        if (c == u'-') {
            out += QChar(0x30FC);
            ++i;
            continue;
        }
        if (c == u'\'') {
            out += c;
            ++i;
            continue;
        }
        if (keepTail && waitsForMore(run.mid(i))) {
            out += run.mid(i);
            break;
        }
        if (lc == u'n') {
            const QChar next = lowerAt(i + 1);
            if (next == u'n' || next == u'\'') {
                out += katakanaIf(c.isUpper(), QStringLiteral("ん"));
                i += 2;
                continue;
            }
            if (!isVowel(next) && next != u'y') {
                out += katakanaIf(c.isUpper(), QStringLiteral("ん"));
                ++i;
                continue;
            }
        } else if (lc == u'm' && (lowerAt(i + 1) == u'b' || lowerAt(i + 1) == u'p')) {
            // Hepburn writes ん before b, m and p as m (shimbun, kampai); mm is a doubled m.
            out += katakanaIf(c.isUpper(), QStringLiteral("ん"));
            ++i;
            continue;
        } else if (doublesToSmallTsu(lc) && (lowerAt(i + 1) == lc || (lc == u't' && lowerAt(i + 1) == u'c' &&
                                                                      lowerAt(i + 2) == u'h'))) {
            out += katakanaIf(c.isUpper(), QStringLiteral("っ"));
            ++i;
            continue;
        }
        // The longest spelling that starts here.
        bool matched = false;
        for (qsizetype len = std::min<qsizetype>(kLongestSpelling, size - i); len > 0; --len) {
            const QStringView piece = run.mid(i, len);
            const auto found = tables().kana.constFind(piece.toString().toLower());
            if (found != tables().kana.constEnd()) {
                out += katakanaIf(allUpper(piece), *found);
                i += len;
                matched = true;
                break;
            }
        }
        if (matched)
            continue;
        // n before a y that makes no syllable ("nyk") is still ん; any other letter that starts
        // no syllable here stays as typed.
        out += lc == u'n' ? katakanaIf(c.isUpper(), QStringLiteral("ん")) : QString(c);
        ++i;
    }
    return out;
}

} // namespace

QString romajiToKana(QStringView text, RomajiTail tail)
{
    QString out;
    out.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        if (!isRunChar(text[i])) {
            out += text[i];
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < text.size() && isRunChar(text[end]))
            ++end;
        out += convertRun(text.mid(i, end - i), end == text.size(), tail);
        i = end;
    }
    return out;
}

bool couldBecomeKana(QStringView letters)
{
    for (QChar c : letters) {
        if (!isLatinLetter(c))
            return false;
    }
    return waitsForMore(letters);
}

QStringView pendingRomaji(QStringView converted)
{
    qsizetype start = converted.size();
    while (start > 0 && isLatinLetter(converted[start - 1]))
        --start;
    // The longest run of trailing letters that could still become kana.
    for (qsizetype s = start; s < converted.size(); ++s) {
        if (couldBecomeKana(converted.mid(s)))
            return converted.mid(s);
    }
    return {};
}

TypedText convertBeforeCursor(const QString &text, qsizetype cursor, RomajiTail tail)
{
    cursor = std::clamp<qsizetype>(cursor, 0, text.size());
    const QString before = romajiToKana(QStringView(text).left(cursor), tail);
    return TypedText{before + text.mid(cursor), before.size()};
}

} // namespace ui

namespace ui {

bool loadRomajiSetting(const QString &path)
{
    const auto line = SettingsLine::load(path);
    return line && line->plainNumber(0) == 1;
}

SaveResult saveRomajiSetting(const QString &path, bool on)
{
    return writeSettingsFile(path, {SettingsValue(on ? 1LL : 0LL)});
}

} // namespace ui
