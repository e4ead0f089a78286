#pragma once

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

#include <cstddef>
#include <functional>
#include <optional>

namespace ui {

// An address range of the process, as /proc/self/maps lists it.
struct AddressRange {
    quintptr start = 0;
    quintptr end = 0;

    bool operator==(const AddressRange &o) const { return start == o.start && end == o.end; }
};

// One line of /proc/self/maps: the range, the permissions ("r--p", "rw-s") and what is mapped
// (a file's path, "[heap]", "/memfd:… (deleted)"; empty for anonymous memory).
struct Mapping {
    AddressRange range;
    QByteArrayView perms;
    QByteArrayView path;
};

// Reads one line of /proc/self/maps; nothing for a line that is not one. The views point into
// the line.
std::optional<Mapping> parseMapping(QByteArrayView line);

// Calls visit for each mapping of this process; false when the list cannot be read.
bool forEachMapping(const std::function<void(const Mapping &)> &visit);

// A window's pixel buffer shared with the X server (MIT-SHM): a writable shared mapping of a
// memfd or of a System V segment.
bool isSharedPixelBuffer(const Mapping &mapping);

// Brings every page of the shared pixel buffers in with one call per buffer. A new window's
// first paint writes each page of its buffer; faulting them in one at a time costs a trap per
// page (about ten microseconds each in a virtual machine), together more than the paint.
// Returns the bytes brought in.
qint64 prefaultSharedPixelBuffers();

// Start-up heap: from here on the heap grows in steps of `bytes`, and the first step is taken at
// once and brought in with one call, so that the thousands of small allocations of start-up find
// their pages present. Returns the bytes brought in (0 where the C library has no such control).
std::size_t reserveStartHeap(std::size_t bytes);

// Back to the C library's usual heap growth, and free heap pages given back to the system.
void releaseStartHeap();

// Qt's session bus connection (accessibility, the screen saver) looks for a bus through
// "autolaunch" when none is named, which forks the whole process to run dbus-launch. Where
// there is no address, no per-user bus socket and no dbus-launch to run, that fork can only fail;
// this says so. The arguments are the environment's bus address, XDG_RUNTIME_DIR, whether
// <runtime dir>/bus exists and whether dbus-launch is on the PATH.
bool sessionBusUnreachable(const QString &busAddress, const QString &runtimeDir, bool runtimeBusExists,
                           bool dbusLaunchFound);

// Names no session bus for this process (and its children) when sessionBusUnreachable() holds
// for the real environment. Called before the application object.
void skipUnreachableSessionBus();

} // namespace ui
