#pragma once

#include <QString>

namespace ui {

// Where a copy of the program finds its own files and keeps the user's settings.
//
// The program folder holds pic/ and the help file. A build tree or a portable copy keeps them
// beside the executable; an installed copy keeps them in share/cifan/ of its prefix, found from
// the executable's folder (<prefix>/bin), so any prefix works.
//
// The settings folder holds the one-line settings files under their usual names. A copy that
// keeps its files beside the executable uses its own sous/ there (created when missing); an
// installed copy uses the sous/ of its program folder only when one is there and writable.
// Otherwise each user gets sous/ in their own data folder.
struct ProgramFolders {
    QString program;
    QString settings;
    // The program folder is share/cifan/ of an installed tree.
    bool installed = false;
    // When settings go to the user's folder because the program folder's sous/ is there but not
    // writable: that sous/, from which a file missing in the user's folder is read.
    QString readOnlySettings;
};

// The program folder for an executable in executableDir, and whether it is an installed tree.
// With no pictures in either place the executable's folder is taken, so the start window can
// report what is missing.
ProgramFolders programFolderFor(const QString &executableDir);

enum class SettingsPlace {
    ProgramFolder,         // sous/ of the program folder, as it is
    CreateInProgramFolder, // sous/ of the program folder, made first
    UserFolder,            // sous/ in the user's data folder
};

// The rule that picks the settings folder, from what is known about the program folder.
SettingsPlace settingsPlaceFor(bool installed, bool sousExists, bool sousWritable,
                               bool programFolderWritable);

// Both folders for an executable in executableDir; userDataDir is the user's data folder for
// the program (QStandardPaths::AppDataLocation). The chosen settings folder is created when it
// is missing, so the first save works, and what saves ended by a crash left in it is removed.
ProgramFolders locateProgramFolders(const QString &executableDir, const QString &userDataDir);

} // namespace ui
