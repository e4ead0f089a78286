// Every settings reader on a real file holding the input, and the motto writer and reader on the
// texts found there: the readers keep their ranges, and what is written reads back.
#include "fuzzsupport.h"
#include "practice/flashspeed.h"
#include "practice/practicesettings.h"
#include "study/studysettings.h"
#include "ui/colornumber.h"
#include "ui/pitchcontour.h"
#include "ui/settingsfile.h"
#include "ui/settingsfilelist.h"

#include <QDir>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using fuzzsupport::check;
    namespace settings = study::settings;
    fuzzsupport::ensureApp();
    const QDir folder(fuzzsupport::scratchFolder());
    const auto file = [&](const QString &name) {
        const QString path = folder.filePath(name);
        fuzzsupport::putFile(path, reinterpret_cast<const char *>(data), size);
        return path;
    };

    (void)settings::readViewMode(file(settings::kViewModeFile));
    (void)settings::readListOrder(file(settings::kListOrderFile));
    if (const auto colour = settings::readTextColor(file(settings::kColorFile))) {
        const long long n = ui::colorToNumber(*colour);
        check(colour->isValid() && n >= 0 && n <= 0xFFFFFF, "a colour read is a colour number");
    }
    if (const auto face = settings::readFontFace(file(settings::kFontFile)))
        check(!face->trimmed().isEmpty(), "a face read is not empty");
    const QString motto = file(settings::kMottoFile);
    const settings::Motto read = settings::readMotto(motto);
    check(!read.first.isEmpty() && !read.second.isEmpty(), "the motto has two lines");
    (void)practice::settings::readSavedPractice(file(QStringLiteral("sous/sys.dll")));
    const practice::FlashSpeed speed = practice::readFlashSpeed(file(QStringLiteral("sous/gap.dll")));
    check(speed.questionSeconds >= practice::FlashSpeed::kMinSeconds &&
              speed.answerSeconds >= practice::FlashSpeed::kMinSeconds &&
              speed.questionSeconds <= practice::FlashSpeed::kMaxSeconds &&
              speed.answerSeconds <= practice::FlashSpeed::kMaxSeconds,
          "flash speeds stay in their range");
    // The query window's display mode.
    const auto mode = ui::SettingsLine::read(file(QStringLiteral("sous/cx.dll"))).number(0);
    (void)mode;
    // The pitch contour switch: on only for a line that is exactly the number 1.
    const QString contour = file(ui::kPitchContourFile);
    if (ui::readPitchContourShown(contour)) {
        const ui::SettingsLine line = ui::SettingsLine::read(contour);
        check(line.fieldCount() == 1 && line.plainNumber(0) == 1, "the contour is on only for a lone 1");
    }
    // Whatever the file held, a written switch reads back.
    check(ui::writePitchContourShown(contour, true) && ui::readPitchContourShown(contour) &&
              ui::writePitchContourShown(contour, false) && !ui::readPitchContourShown(contour),
          "a written contour switch reads back");

    // Every settings file, by its name: what the generic reader takes from the bytes is written
    // back by the writer and read again as the same fields (what the writer writes, the reader
    // reads), or refused by the writer as too long.
    for (const QString &name : ui::kSettingsFiles) {
        const QString path = file(name.section(u'/', 1));
        const auto line = ui::SettingsLine::load(path);
        if (!line)
            continue;
        QList<ui::SettingsValue> values;
        for (int i = 0; i < line->fieldCount(); ++i) {
            if (line->isQuoted(i))
                values << ui::SettingsValue(*line->text(i));
            else if (const auto n = line->plainNumber(i))
                values << ui::SettingsValue(*n);
        }
        const ui::SaveResult saved = ui::writeSettingsFile(path, values);
        if (!saved) {
            check(saved.failure() == ui::SaveFailure::TooLong, "a settings file is written unless too long");
            continue;
        }
        const auto back = ui::SettingsLine::load(path);
        check(back && back->fieldCount() == values.size(), "a written line reads back whole");
        for (int i = 0; back && i < values.size(); ++i) {
            if (const auto *n = std::get_if<long long>(&values[i]))
                check(back->plainNumber(i) == *n, "a written number reads back");
            else
                check(back->isQuoted(i) && back->text(i) == std::get<QString>(values[i]),
                      "a written text reads back");
        }
    }

    // Whatever lines the file held are written and read back as the window would show them.
    if (settings::writeMotto(motto, read)) {
        const settings::Motto stored{settings::storedMottoLine(read.first),
                                     settings::storedMottoLine(read.second)};
        const bool complete = !stored.first.isEmpty() && !stored.second.isEmpty();
        check(settings::readMotto(motto) == (complete ? stored : settings::defaultMotto()),
              "a written motto reads back");
    }
    return 0;
}
