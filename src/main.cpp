#include "app/programwindows.h"
#include "shell/reminderwindow.h"
#include "shell/screensaver.h"
#include "shell/shell.h"
#include "ui/fontpages.h"
#include "ui/fonts.h"
#include "ui/processmemory.h"
#include "ui/programpaths.h"
#include "ui/qtinteraction.h"
#include "ui/qttranslation.h"
#include "ui/windowbuffers.h"

#include <QApplication>
#include <QBuffer>
#include <QFontDatabase>
#include <QImageReader>
#include <QStandardPaths>

#include <dlfcn.h>
#include <future>
#include <malloc.h>
#include <thread>

namespace {

// fontconfig's own set-up (reading its configuration) needs no Qt. It is reached through the
// library Qt's GUI module has already loaded, so it can run before the application object.
void prepareFontconfig()
{
    using Init = int (*)();
    if (auto init = reinterpret_cast<Init>(dlsym(RTLD_DEFAULT, "FcInit")))
        init();
}

// Loads the image plugin for the start window's pictures (GIF): finding Qt's image plugins and
// loading one takes longer than reading the three small pictures themselves.
void prepareGifReading()
{
    QBuffer nothing;
    QImageReader(&nothing, "gif").canRead();
}

} // namespace

int main(int argc, char *argv[])
{
    // Reading the system's fonts is the largest step before the start window can draw text. A
    // second thread does it beside the application's and the start window's construction:
    // fontconfig's set-up at once, Qt's font list as soon as the application object exists; then
    // it lets go of the pages of fontconfig's caches, which nothing reads again soon, and loads
    // the reader of the start window's pictures.
    // One malloc arena for both threads: a second arena would hold the font list apart from
    // everything else and add its own partly used pages to the start window's memory.
    mallopt(M_ARENA_MAX, 1);
    // What start-up allocates, brought in at once rather than a page at a time.
    ui::reserveStartHeap(2 << 20);
    ui::skipUnreachableSessionBus();
    std::promise<void> applicationReady;
    std::thread fontList([ready = applicationReady.get_future()] {
        prepareFontconfig();
        ready.wait();
        QFontDatabase::families();
        ui::releaseFontPages();
        prepareGifReading();
    });
    QApplication application(argc, argv);
    applicationReady.set_value();
    QApplication::setApplicationName(QStringLiteral("cifan"));
    QApplication::setApplicationDisplayName(QString());
    // Ties the windows to the menu entry (icon, name) on desktops that match them by its name.
    QGuiApplication::setDesktopFileName(QStringLiteral(CIFAN_APP_ID));
    // The shell decides when the program ends: a hidden practice window is not a reason to stay,
    // and switching windows must never look like the last one closing.
    QApplication::setQuitOnLastWindowClosed(false);
    // Widgets without a face of their own (menus, lists, Qt's dialogs) draw in the installed CJK
    // sans at the desktop's size, so no text has to look for a face that covers Chinese.
    QApplication::setFont(ui::designFont({}, QApplication::font().pointSizeF()));
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
    // Font data stays mapped but not resident: fontconfig's caches once the font list is read,
    // the font files' pages a moment after each paint; the heap then grows as usual again.
    ui::FontPageReleaser fontPages(300, [] { ui::releaseStartHeap(); });
    // The start window's first paint alone brings in about 4.5 MiB of the CJK face; with this
    // budget the window's peak is about 1 MiB lower, for a few milliseconds more to its first paint.
    fontPages.setPaintFaultBudget(64);
    application.installEventFilter(&fontPages);
    ui::WindowBufferPreparer windowBuffers;
    application.installEventFilter(&windowBuffers);
    const bool started = shell.start();
    fontList.join();
    if (!started)
        return 1;
    return QApplication::exec();
}
