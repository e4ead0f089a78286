#include "practice/flashspeed.h"

#include "lexicon/lessontable.h"
#include "ui/interaction.h"
#include "ui/settingsfile.h"

#include <cmath>

namespace practice {

std::optional<int> wholeSeconds(const std::optional<QString> &field)
{
    if (!field)
        return std::nullopt;
    return wholeSeconds(ui::SettingsLine::parse(*field).decimal(0));
}

std::optional<int> wholeSeconds(std::optional<double> value)
{
    if (!value || !std::isfinite(*value) || std::fabs(*value) > 1e6)
        return std::nullopt;
    // std::nearbyint rounds to the nearest whole number with halves to the even one in the
    // default rounding mode, as the file's reader always has.
    const int whole = static_cast<int>(std::nearbyint(*value));
    if (whole < FlashSpeed::kMinSeconds || whole > FlashSpeed::kMaxSeconds)
        return std::nullopt;
    return whole;
}

FlashSpeed readFlashSpeed(const QString &path)
{
    const ui::SettingsLine line = ui::SettingsLine::read(path);
    FlashSpeed speed;
    // Bare numbers read by the rule of every settings file, with a fraction allowed; a quoted
    // number is a text.
    speed.questionSeconds = wholeSeconds(line.decimal(0)).value_or(FlashSpeed::kDefaultQuestionSeconds);
    speed.answerSeconds = wholeSeconds(line.decimal(1)).value_or(FlashSpeed::kDefaultAnswerSeconds);
    return speed;
}

double typedSeconds(const std::optional<QString> &typed)
{
    if (!typed)
        return 0;
    return ciku::leadingNumber(*typed);
}

bool acceptableSeconds(double seconds)
{
    if (!(seconds > 0 && seconds < 9))
        return false;
    return wholeSeconds(formatSeconds(seconds)).has_value();
}

QString formatSeconds(double seconds)
{
    // Fixed notation with enough digits for what can be typed, then the trailing zeros dropped.
    QString text = QString::number(seconds, 'f', 10);
    if (text.contains(u'.')) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(u'.'))
            text.chop(1);
    }
    return text;
}

QString flashSpeedLine(double questionSeconds, double answerSeconds)
{
    return formatSeconds(questionSeconds) + u',' + formatSeconds(answerSeconds);
}

ui::SaveResult writeFlashSpeed(const QString &path, double questionSeconds, double answerSeconds)
{
    return ui::writeSettingsLine(path, flashSpeedLine(questionSeconds, answerSeconds));
}

QString questionSecondsTitle()
{
    return QStringLiteral("修改问题显示时间");
}

QString questionSecondsPrompt()
{
    return QStringLiteral(
        "闪电速练的速度设置-第1步：\r\n\r\n请修改 问题 显示的时间（秒）。\r\n\r\n请输入一个1-8的整数");
}

QString answerSecondsTitle()
{
    return QStringLiteral("修改答案显示时间");
}

QString answerSecondsPrompt()
{
    return QStringLiteral(
        "闪电速练的速度设置-第2步：\r\n\r\n请修改 答案 显示的时间（秒）。\r\n\r\n请输入一个1-8的整数");
}

QString badSecondsText()
{
    return QStringLiteral("输入错误，请输入一个1-8的数");
}

TypedSpeed askFlashSpeed(ui::Interaction &interaction, QWidget *parent, const FlashSpeed &current)
{
    for (;;) {
        TypedSpeed typed;
        typed.questionSeconds =
            typedSeconds(interaction.input(parent, questionSecondsPrompt(), questionSecondsTitle(),
                                           QString::number(current.questionSeconds)));
        typed.answerSeconds = typedSeconds(interaction.input(
            parent, answerSecondsPrompt(), answerSecondsTitle(), QString::number(current.answerSeconds)));
        if (acceptableSeconds(typed.questionSeconds) && acceptableSeconds(typed.answerSeconds))
            return typed;
        interaction.message(parent,
                            ui::Message{ui::Icon::None, ui::Buttons::Ok, QString(), badSecondsText()});
    }
}

} // namespace practice
