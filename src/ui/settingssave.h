#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Saving a settings file: the new bytes go to a temporary file in the same folder, are synced to
// the disk and then take the old file's place in one rename, so a reader always finds the old
// file or the new one, never a part of either.
namespace ui {

// Why a save did not happen, as the warnings name it.
enum class SaveFailure {
    None,
    DiskFull,       // ENOSPC, EDQUOT
    FileReadOnly,   // the settings file itself is write-protected
    FolderReadOnly, // the folder (or its file system) takes no new entries
    FolderMissing,  // the folder is not there
    TooLong,        // more than a reader takes back (kMaxSettingsFileBytes)
    Other,
};

// The outcome of a save: true when the new file is in place. Converts to bool, so callers that
// only need to know whether it worked keep testing it as before.
class SaveResult
{
public:
    SaveResult() = default;
    static SaveResult failed(SaveFailure failure, int error = 0);

    bool ok() const { return m_failure == SaveFailure::None; }
    operator bool() const { return ok(); } // NOLINT: used as a plain success flag
    SaveFailure failure() const { return m_failure; }
    int error() const { return m_error; }
    // The cause for a warning: "磁盘已满", "文件只读", "文件夹只读", "文件夹不存在", ...
    QString cause() const;

private:
    SaveFailure m_failure = SaveFailure::None;
    int m_error = 0;
};

// The failure an errno of the given step stands for. Creating the temporary file is the step
// that tells a missing or write-protected folder.
enum class SaveStage { Create, Write, Replace };
SaveFailure saveFailureFor(SaveStage stage, int error);

// Replaces the file at path with bytes. Returns a failure, leaving any old file byte for byte as
// it was, when the folder is missing, the file is write-protected (no write permission for the
// user, or no write bit at all), the bytes are more than a reader takes, or any step fails. Once
// the rename has put the new file in place the save counts as done: syncing the folder after it
// is best effort.
SaveResult writeWholeFile(const QString &path, const QByteArray &bytes);

// Test seam: makes the given step of every following save fail as a full disk does (ENOSPC);
// nullopt ends it.
enum class SaveStep { Write, Flush, Commit, SyncFolder };
void failSaveStepForTesting(std::optional<SaveStep> step);

// Whether a file name is one of the temporary names a save uses: ".<file>.<random>.tmp".
bool isSaveTemporaryName(const QString &fileName);
// Removes what saves ended by a crash or kill left in folder (temporary files by their name);
// returns how many were removed.
int removeSaveTemporaries(const QString &folder);

} // namespace ui
