#include "lexicon/lessontable.h"

#include <QChar>

#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace ciku {
namespace {

struct LessonRow {
    int lesson;
    WordRange study;
    WordRange practice;
};

// The two variants differ only in lessons 5 to 9.
constexpr std::array<LessonRow, 48> kLessons{{
    {1, {1, 18}, {1, 18}},
    {2, {19, 43}, {19, 43}},
    {3, {44, 75}, {44, 75}},
    {4, {76, 104}, {76, 104}},
    {5, {105, 130}, {105, 133}},
    {6, {131, 160}, {134, 164}},
    {7, {161, 199}, {165, 197}},
    {8, {200, 232}, {198, 231}},
    {9, {233, 258}, {232, 258}},
    {10, {259, 295}, {259, 295}},
    {11, {296, 326}, {296, 326}},
    {12, {327, 348}, {327, 348}},
    {13, {349, 377}, {349, 377}},
    {14, {378, 417}, {378, 417}},
    {15, {418, 447}, {418, 447}},
    {16, {448, 490}, {448, 490}},
    {17, {491, 528}, {491, 528}},
    {18, {529, 556}, {529, 556}},
    {19, {557, 580}, {557, 580}},
    {20, {581, 611}, {581, 611}},
    {21, {612, 628}, {612, 628}},
    {22, {629, 649}, {629, 649}},
    {23, {650, 673}, {650, 673}},
    {24, {674, 711}, {674, 711}},
    {26, {712, 750}, {712, 750}},
    {27, {751, 794}, {751, 794}},
    {28, {795, 812}, {795, 812}},
    {29, {813, 836}, {813, 836}},
    {30, {837, 881}, {837, 881}},
    {31, {882, 919}, {882, 919}},
    {32, {920, 949}, {920, 949}},
    {33, {950, 982}, {950, 982}},
    {34, {983, 1023}, {983, 1023}},
    {35, {1024, 1060}, {1024, 1060}},
    {36, {1061, 1090}, {1061, 1090}},
    {37, {1091, 1129}, {1091, 1129}},
    {38, {1130, 1157}, {1130, 1157}},
    {39, {1158, 1181}, {1158, 1181}},
    {40, {1182, 1207}, {1182, 1207}},
    {41, {1208, 1231}, {1208, 1231}},
    {42, {1232, 1268}, {1232, 1268}},
    {43, {1269, 1296}, {1269, 1296}},
    {44, {1297, 1335}, {1297, 1335}},
    {45, {1336, 1364}, {1336, 1364}},
    {46, {1365, 1399}, {1365, 1399}},
    {47, {1400, 1432}, {1400, 1432}},
    {48, {1433, 1462}, {1433, 1462}},
    {49, {1463, 1490}, {1463, 1490}},
}};

struct GroupRow {
    int typed;              // the number typed in the study window; -1 where there is none
    const char16_t *option; // the range dialog's option
    WordRange study;
    WordRange practice;
};

constexpr std::array<GroupRow, 12> kUnits{{
    {100, u"u1", {1, 104}, {1, 104}},
    {200, u"u2", {105, 232}, {105, 231}},
    {300, u"u3", {233, 348}, {232, 348}},
    {400, u"u4", {349, 490}, {349, 490}},
    {500, u"u5", {491, 611}, {491, 611}},
    {600, u"u6", {612, 711}, {612, 711}},
    {700, u"u7", {712, 836}, {712, 836}},
    {800, u"u8", {837, 982}, {837, 982}},
    {900, u"u9", {983, 1129}, {983, 1129}},
    {1000, u"u10", {1130, 1231}, {1130, 1231}},
    {1100, u"u11", {1232, 1364}, {1232, 1364}},
    {1200, u"u12", {1365, 1490}, {1365, 1490}},
}};

constexpr std::array<GroupRow, 3> kVolumes{{
    {1001, u"shangce", {1, 711}, {1, 711}},
    {1002, u"xiace", {712, 1490}, {712, 1490}},
    {1003, u"whole", {1, 1490}, {1, 1490}},
}};

constexpr std::array<GroupRow, 3> kDrills{{
    {1004, u"country", {1491, 1506}, {1491, 1506}},
    {0, u"pian", {1507, 1552}, {1507, 1552}},
    {-1, u"ceshi", {1607, 1613}, {1607, 1613}},
}};

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f';
}

} // namespace

double leadingNumber(QStringView text)
{
    std::string compact;
    compact.reserve(static_cast<std::size_t>(text.size()));
    for (QChar c : text) {
        // A Chinese input method in full-width mode types digits, signs, the point and the
        // space in their full-width forms; they read as the ASCII characters they stand for.
        if (c.decompositionTag() == QChar::Wide)
            c = c.decomposition().at(0);
        if (isBlank(c))
            continue;
        // Only ASCII can be part of a number; anything else ends the numeric prefix.
        compact.push_back(c.unicode() < 0x80 ? static_cast<char>(c.unicode()) : '\x01');
    }
    // Scan the longest prefix that forms [sign] digits [. digits] [e [sign] digits] by hand, so
    // that words such as "inf" or "0x10" read as they would as plain decimals.
    std::size_t i = 0;
    const std::size_t n = compact.size();
    auto isDigit = [&](std::size_t k) { return k < n && compact[k] >= '0' && compact[k] <= '9'; };
    if (i < n && (compact[i] == '+' || compact[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (isDigit(i)) {
        ++i;
        ++digits;
    }
    if (i < n && compact[i] == '.') {
        std::size_t j = i + 1;
        std::size_t fraction = 0;
        while (isDigit(j)) {
            ++j;
            ++fraction;
        }
        if (digits + fraction > 0) {
            i = j;
            digits += fraction;
        }
    }
    if (digits == 0)
        return 0;
    if (i < n && (compact[i] == 'e' || compact[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < n && (compact[j] == '+' || compact[j] == '-'))
            ++j;
        if (isDigit(j)) {
            while (isDigit(j))
                ++j;
            i = j;
        }
    }
    // A number beyond the range of a double (1e999, thousands of digits) reads as an infinity
    // of its sign, which is larger than every lesson number: it is too large, not 0. One too
    // small to tell from 0 (1e-999) is still not 0: it reads as the smallest number of its sign.
    const std::string number = compact.substr(0, i);
    const double value = std::strtod(number.c_str(), nullptr);
    const std::size_t mantissaEnd = number.find_first_of("eE");
    const bool nonZero = number.substr(0, mantissaEnd).find_first_of("123456789") != std::string::npos;
    if (value == 0 && nonZero)
        return std::copysign(std::numeric_limits<double>::denorm_min(), number[0] == '-' ? -1.0 : 1.0);
    return value;
}

StudyRangeResult studyRangeFor(QStringView text, StudyCommand command)
{
    StudyRangeResult result;
    const double number = leadingNumber(text);
    result.number = number;
    for (const auto &u : kUnits) {
        if (number == u.typed) {
            result.range = u.study;
            return result;
        }
    }
    for (const auto &v : kVolumes) {
        if (number == v.typed) {
            result.range = v.study;
            return result;
        }
    }
    for (const auto &l : kLessons) {
        if (number == l.lesson) {
            result.range = l.study;
            return result;
        }
    }
    for (const auto &d : kDrills) {
        if (d.typed >= 0 && number == d.typed) {
            result.range = d.study;
            return result;
        }
    }

    if (number > 1200) {
        result.rejection.icon = ui::Icon::Warning;
        if (command == StudyCommand::Start) {
            result.rejection.title = QStringLiteral("？？？");
            result.rejection.text = QStringLiteral("又乱输，哪有那么多课？别闹了。 ^_^");
        } else {
            result.rejection.title = QStringLiteral("欠揍？？");
            result.rejection.text = QStringLiteral("一共才49课，你要列出第几课来？老实点，重新输。 ^_^");
        }
    } else if (number > 49 && number < 100) {
        result.rejection.icon = ui::Icon::Critical;
        result.rejection.title = QStringLiteral("出错");
        result.rejection.text = QStringLiteral("标日初级词汇结束于49课，请输入正确的课时。");
    } else {
        result.rejection.icon = ui::Icon::None;
        result.rejection.text = QStringLiteral("输入错误，请重新输入课时");
    }
    return result;
}

const QStringList &practiceOptionOrder()
{
    static const QStringList order = [] {
        QStringList names;
        for (const auto &u : kUnits)
            names << QString::fromUtf16(u.option);
        for (const auto &v : kVolumes)
            names << QString::fromUtf16(v.option);
        for (const auto &l : kLessons)
            names << QStringLiteral("l%1").arg(l.lesson);
        for (const auto &d : kDrills)
            names << QString::fromUtf16(d.option);
        return names;
    }();
    return order;
}

std::optional<WordRange> practiceRangeFor(QStringView option)
{
    auto groupRange = [&](const auto &rows) -> std::optional<WordRange> {
        for (const auto &r : rows) {
            if (option == QStringView(r.option))
                return r.practice;
        }
        return std::nullopt;
    };
    if (auto r = groupRange(kUnits))
        return r;
    if (auto r = groupRange(kVolumes))
        return r;
    if (option.startsWith(u'l')) {
        bool ok = false;
        const int lesson = option.mid(1).toInt(&ok);
        if (ok && QStringLiteral("l%1").arg(lesson) == option) {
            for (const auto &l : kLessons) {
                if (l.lesson == lesson)
                    return l.practice;
            }
        }
        return std::nullopt;
    }
    return groupRange(kDrills);
}

} // namespace ciku
