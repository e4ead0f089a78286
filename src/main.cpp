#include "app/programwindows.h"
#include "shell/reminderwindow.h"
#include "shell/screensaver.h"
#include "shell/shell.h"
#include "ui/programpaths.h"
#include "ui/qtinteraction.h"
#include "ui/qttranslation.h"

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("cifan"));
    QApplication::setApplicationDisplayName(QString());
    // Ties the windows to the menu entry (icon, name) on desktops that match them by its name.
    QGuiApplication::setDesktopFileName(QStringLiteral(CIFAN_APP_ID));
    // The shell decides when the program ends: a hidden practice window is not a reason to stay,
    // and switching windows must never look like the last one closing.
    QApplication::setQuitOnLastWindowClosed(false);
    // Qt's own dialogs in Chinese where its translations are installed, else as they are.
    ui::installQtTranslations();

    // Pictures and help come from the program folder; settings go where this user may write them.
    const ui::ProgramFolders folders =
        ui::locateProgramFolders(QApplication::applicationDirPath(),
                                 QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    ui::QtInteraction interaction;
    shell::Shell shell(folders.program, interaction, [](int code) { QCoreApplication::exit(code); });
    shell.setSettingsDir(folders.settings);
    shell.setReadOnlySettingsDir(folders.readOnlySettings);
    shell.setWindowFactory(app::buildProgramWindow);
    // The rest reminder asks the desktop for its screen saver.
    auto screenSaver = std::make_shared<shell::SystemScreenSaver>();
    shell.setReminderFactory(
        [screenSaver](shell::Shell &sh) -> QObject * { return new shell::ReminderWindow(sh, screenSaver); });
    if (!shell.start())
        return 1;
    return QApplication::exec();
}
