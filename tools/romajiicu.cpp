// Measures ICU's Latin-Hiragana / Latin-Katakana transliterators against the rōmaji table the
// kana boxes follow (tests/data/romaji.tsv): for every row, the whole text transliterated at once
// (what Enter leaves), and the text fed one key at a time through the incremental
// Transliterator::transliterate with a UTransPosition (what the box shows while typing).
// An all-upper-case row goes through Latin-Katakana, any other through Latin-Hiragana.
// Prints every row where ICU gives something else, then the counts.
#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<std::string> split(const std::string &line)
{
    std::vector<std::string> cols;
    std::string::size_type start = 0;
    for (;;) {
        const auto tab = line.find('\t', start);
        cols.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos)
            return cols;
        start = tab + 1;
    }
}

std::string utf8(const icu::UnicodeString &s)
{
    std::string out;
    s.toUTF8String(out);
    return out;
}

bool hasLower(const std::string &s)
{
    for (char c : s) {
        if (c >= 'a' && c <= 'z')
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: romajiicu tests/data/romaji.tsv\n");
        return 2;
    }
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Transliterator> hiragana(
        icu::Transliterator::createInstance("Latin-Hiragana", UTRANS_FORWARD, status));
    std::unique_ptr<icu::Transliterator> katakana(
        icu::Transliterator::createInstance("Latin-Katakana", UTRANS_FORWARD, status));
    if (U_FAILURE(status)) {
        std::fprintf(stderr, "ICU has no Latin-Hiragana / Latin-Katakana: %s\n", u_errorName(status));
        return 1;
    }
    std::ifstream in(argv[1]);
    std::string line;
    int rows = 0, finishedSame = 0, shownSame = 0, bothSame = 0;
    std::printf("typed\texpected shown\tICU shown\texpected after Enter\tICU after Enter\n");
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        const auto cols = split(line);
        const std::string typed = cols[0];
        const std::string shown = cols.size() > 1 ? cols[1] : std::string();
        const std::string finished = cols.size() > 2 ? cols[2] : shown;
        icu::Transliterator &t = hasLower(typed) ? *hiragana : *katakana;

        icu::UnicodeString whole = icu::UnicodeString::fromUTF8(typed);
        t.transliterate(whole);

        const icu::UnicodeString keys = icu::UnicodeString::fromUTF8(typed);
        icu::UnicodeString box;
        UTransPosition pos{0, 0, 0, 0};
        for (int i = 0; i < keys.length(); ++i) {
            box.append(keys.charAt(i));
            pos.contextLimit = pos.limit = box.length();
            UErrorCode e = U_ZERO_ERROR;
            t.transliterate(box, pos, e);
        }
        const std::string icuShown = utf8(box);
        const std::string icuFinished = utf8(whole);
        ++rows;
        const bool a = icuShown == shown, b = icuFinished == finished;
        shownSame += a;
        finishedSame += b;
        bothSame += a && b;
        if (!a || !b)
            std::printf("%s\t%s\t%s\t%s\t%s\n", typed.c_str(), shown.c_str(), icuShown.c_str(),
                        finished.c_str(), icuFinished.c_str());
    }
    std::printf("rows %d; ICU agrees while typing %d, after Enter %d, both %d\n", rows, shownSame,
                finishedSame, bothSame);
    return 0;
}
