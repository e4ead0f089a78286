// savestorm: saves settings files through the program's own writer over and over until it is
// killed; scripts/settings-killloop.sh kills it at random moments and checks what is left.
//
//   savestorm save FOLDER     every settings file in FOLDER, the two contents of each in turn
//   savestorm start APPDIR    what the program does at start for a copy in APPDIR (its pic/ and
//                             sous/): finds the settings folder and clears what saves left there
//   savestorm check FOLDER    exit 0 when every file holds one of its two contents
//   savestorm names           the settings files, one a line
#include "ui/programpaths.h"
#include "ui/settingsfile.h"
#include "ui/settingsfilelist.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

namespace {

QString fileName(int i)
{
    return ui::kSettingsFiles[i].section(u'/', 1);
}

// Two contents per file, of different sizes: a short one and one of several kilobytes.
QByteArray content(int file, int variant)
{
    if (variant == 0)
        return QByteArray::number(file + 1) + "\r\n";
    return "\"" + QByteArray(3000 + 1000 * file, char('a' + file)) + "\",\"x\"\r\n";
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString command = args.value(1);
    if (command == QLatin1String("names")) {
        for (int i = 0; i < ui::kSettingsFiles.size(); ++i)
            std::printf("%s\n", qPrintable(fileName(i)));
        return 0;
    }
    if (args.size() != 3)
        return 64;
    const QDir folder(args[2]);
    if (command == QLatin1String("save")) {
        for (long long round = 0;; ++round) {
            for (int i = 0; i < ui::kSettingsFiles.size(); ++i)
                ui::writeWholeFile(folder.filePath(fileName(i)), content(i, int(round % 2)));
        }
    }
    if (command == QLatin1String("start")) {
        const ui::ProgramFolders folders = ui::locateProgramFolders(folder.path(), QString());
        std::printf("%s\n", qPrintable(folders.settings));
        return 0;
    }
    if (command == QLatin1String("check")) {
        int bad = 0;
        for (int i = 0; i < ui::kSettingsFiles.size(); ++i) {
            QFile f(folder.filePath(fileName(i)));
            if (!f.open(QIODevice::ReadOnly))
                continue; // not written yet
            const QByteArray now = f.readAll();
            if (now != content(i, 0) && now != content(i, 1)) {
                std::printf("torn: %s (%lld bytes)\n", qPrintable(fileName(i)),
                            static_cast<long long>(now.size()));
                ++bad;
            }
        }
        return bad == 0 ? 0 : 1;
    }
    return 64;
}
