#pragma once

// What the help reader (a process of its own, see helpreader/) hands back to the program, and
// the limits both sides keep. No Qt here: the reader links only chmlib.
//
// The reply on the reader's standard output: the magic bytes, then per object a 32-bit
// little-endian path length, the path (UTF-8), a 32-bit little-endian data length and the data;
// then kEndMark and the number of objects as a 32-bit little-endian number. Nothing follows.
#include <cstddef>
#include <cstdint>

namespace shell::helpprotocol {

inline constexpr char kMagic[] = "CIFANHELP1";
inline constexpr std::size_t kMagicSize = sizeof(kMagic) - 1;
inline constexpr std::uint32_t kEndMark = 0xFFFFFFFFu;

inline constexpr std::uint32_t kMaxObjects = 4096;
inline constexpr std::uint32_t kMaxPathBytes = 1024;
inline constexpr std::uint64_t kMaxObjectBytes = 16u * 1024 * 1024;
inline constexpr std::uint64_t kMaxTotalBytes = 64u * 1024 * 1024;
inline constexpr std::uint64_t kMaxFileBytes = 256u * 1024 * 1024;
// A help file is read in well under a second; longer means the reader is stuck.
inline constexpr int kTimeLimitMs = 2000;

// The reader's exit codes.
inline constexpr int kExitOk = 0;
inline constexpr int kExitDamaged = 2;
inline constexpr int kExitUsage = 64;

} // namespace shell::helpprotocol
