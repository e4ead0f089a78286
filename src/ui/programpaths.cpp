#include "ui/programpaths.h"

#include "ui/settingssave.h"

#include <QDir>
#include <QFileInfo>

namespace ui {
namespace {

const QString kPictures = QStringLiteral("pic");
const QString kSettings = QStringLiteral("sous");
const QString kInstalledFolder = QStringLiteral("../share/cifan");

bool isFolder(const QString &path)
{
    return QFileInfo(path).isDir();
}

} // namespace

ProgramFolders programFolderFor(const QString &executableDir)
{
    const QDir exe(executableDir);
    if (isFolder(exe.filePath(kPictures)))
        return ProgramFolders{QDir::cleanPath(exe.absolutePath()), QString(), false, QString()};
    const QString installed = QDir::cleanPath(exe.absoluteFilePath(kInstalledFolder));
    if (isFolder(QDir(installed).filePath(kPictures)))
        return ProgramFolders{installed, QString(), true, QString()};
    return ProgramFolders{QDir::cleanPath(exe.absolutePath()), QString(), false, QString()};
}

SettingsPlace settingsPlaceFor(bool installed, bool sousExists, bool sousWritable, bool programFolderWritable)
{
    if (sousExists)
        return sousWritable ? SettingsPlace::ProgramFolder : SettingsPlace::UserFolder;
    // Files under an installation prefix belong to the package manager: nothing is added there,
    // even when the user (root) could.
    if (installed || !programFolderWritable)
        return SettingsPlace::UserFolder;
    return SettingsPlace::CreateInProgramFolder;
}

ProgramFolders locateProgramFolders(const QString &executableDir, const QString &userDataDir)
{
    ProgramFolders folders = programFolderFor(executableDir);
    const QDir program(folders.program);
    const QFileInfo sous(program.filePath(kSettings));
    const QFileInfo programInfo(folders.program);
    const SettingsPlace place =
        settingsPlaceFor(folders.installed, sous.exists() || sous.isSymLink(),
                         sous.isDir() && sous.isWritable(), programInfo.isDir() && programInfo.isWritable());
    folders.settings = QDir::cleanPath(sous.absoluteFilePath());
    if (place == SettingsPlace::ProgramFolder ||
        (place == SettingsPlace::CreateInProgramFolder && program.mkpath(kSettings))) {
        removeSaveTemporaries(folders.settings);
        return folders;
    }
    if (userDataDir.isEmpty())
        return folders; // no data folder known: saves report the program folder's sous/
    if (sous.isDir())
        folders.readOnlySettings = folders.settings;
    folders.settings = QDir::cleanPath(QDir(userDataDir).absoluteFilePath(kSettings));
    QDir().mkpath(folders.settings); // a failure shows when a setting is saved
    removeSaveTemporaries(folders.settings);
    return folders;
}

} // namespace ui
