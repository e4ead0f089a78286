// Turns data/lexicon.tsv into constant tables compiled into the program.
// Input: UTF-8, tab-separated, header "index chinese kana kanji accent pos", one filled slot a line.
// Output: initialisers of the word rows in ascending index order, each text as a UTF-16 literal
// with its length, so that filling the table is only pointer and length copies.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kSlots = 1650;

std::vector<std::string> splitTabs(const std::string &line)
{
    std::vector<std::string> out;
    std::string::size_type start = 0;
    for (;;) {
        const auto tab = line.find('\t', start);
        if (tab == std::string::npos) {
            out.push_back(line.substr(start));
            return out;
        }
        out.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
}

// Number of UTF-16 code units of a UTF-8 text; -1 when the text is not valid UTF-8.
long utf16Length(const std::string &s)
{
    long units = 0;
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        int extra = 0;
        if (c < 0x80)
            extra = 0;
        else if ((c & 0xE0) == 0xC0)
            extra = 1;
        else if ((c & 0xF0) == 0xE0)
            extra = 2;
        else if ((c & 0xF8) == 0xF0)
            extra = 3;
        else
            return -1;
        if (i + extra >= s.size() && extra > 0)
            return -1;
        for (int k = 1; k <= extra; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                return -1;
        }
        units += extra == 3 ? 2 : 1;
        i += extra + 1;
    }
    return units;
}

std::string literal(const std::string &s)
{
    std::string out = "u\"";
    for (const char c : s) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    out += '"';
    return out;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::cerr << "usage: genlexicon lexicon.tsv output.inc\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << argv[1] << ": cannot read\n";
        return 1;
    }
    std::map<int, std::vector<std::string>> rows;
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (lineNo == 1) {
            if (line != "index\tchinese\tkana\tkanji\taccent\tpos") {
                std::cerr << argv[1] << ":1: unexpected header\n";
                return 1;
            }
            continue;
        }
        if (line.empty())
            continue;
        auto fields = splitTabs(line);
        if (fields.size() != 6) {
            std::cerr << argv[1] << ":" << lineNo << ": expected 6 fields, found " << fields.size() << "\n";
            return 1;
        }
        int index = 0;
        try {
            std::size_t used = 0;
            index = std::stoi(fields[0], &used);
            if (used != fields[0].size())
                throw std::invalid_argument("index");
        } catch (const std::exception &) {
            std::cerr << argv[1] << ":" << lineNo << ": bad index '" << fields[0] << "'\n";
            return 1;
        }
        if (index < 1 || index > kSlots) {
            std::cerr << argv[1] << ":" << lineNo << ": index " << index << " outside 1-" << kSlots << "\n";
            return 1;
        }
        if (rows.count(index)) {
            std::cerr << argv[1] << ":" << lineNo << ": index " << index << " given twice\n";
            return 1;
        }
        for (int f = 1; f <= 5; ++f) {
            if (utf16Length(fields[f]) < 0) {
                std::cerr << argv[1] << ":" << lineNo << ": field " << f << " is not UTF-8\n";
                return 1;
            }
        }
        rows[index] = std::vector<std::string>(fields.begin() + 1, fields.end());
    }

    // All the words' texts in one string and the rows as offsets into it: a table of pointers
    // would need thousands of relocations at every start, and private copies of their pages.
    std::ostringstream text;
    std::ostringstream table;
    std::size_t offset = 0;
    for (const auto &[index, fields] : rows) {
        text << "   ";
        table << "{" << index << ", {";
        for (std::size_t f = 0; f < fields.size(); ++f) {
            const std::size_t length = utf16Length(fields[f]);
            text << " " << literal(fields[f]);
            table << (f ? ", " : "") << "{" << offset << ", " << length << "}";
            offset += length;
        }
        text << "\n";
        table << "}},\n";
    }
    std::ostringstream out;
    out << "// Generated from data/lexicon.tsv by genlexicon; do not edit.\n";
    out << "constexpr char16_t kText[] =\n" << text.str() << "    u\"\";\n";
    out << "constexpr Row kRows[] = {\n" << table.str() << "};\n";
    std::ofstream o(argv[2], std::ios::binary | std::ios::trunc);
    o << out.str();
    if (!o) {
        std::cerr << argv[2] << ": cannot write\n";
        return 1;
    }
    return 0;
}
