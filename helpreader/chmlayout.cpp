#include "chmlayout.h"

#include "shell/helpprotocol.h"

#include <cstring>

namespace helpreader {
namespace {

namespace proto = shell::helpprotocol;

std::uint64_t le(const unsigned char *p, int bytes)
{
    std::uint64_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}

// LZX windows are at most 2 MB; a block is one window's worth of output.
constexpr std::uint64_t kMaxBlockLength = 2 * 1024 * 1024;
constexpr std::uint64_t kMinBlockLength = 0x8000;

} // namespace

bool inside(std::uint64_t start, std::uint64_t length, std::uint64_t size)
{
    return start <= size && length <= size - start;
}

std::optional<std::uint64_t> dataOffset(const unsigned char *header, std::size_t size)
{
    if (size < 0x58 || std::memcmp(header, "ITSF", 4) != 0)
        return std::nullopt;
    const std::uint64_t version = le(header + 4, 4);
    if (version == 3) {
        if (size < 0x60)
            return std::nullopt;
        return le(header + 0x58, 8);
    }
    if (version != 2)
        return std::nullopt;
    const std::uint64_t dirOffset = le(header + 0x48, 8);
    const std::uint64_t dirLength = le(header + 0x50, 8);
    if (dirOffset > proto::kMaxFileBytes || dirLength > proto::kMaxFileBytes)
        return std::nullopt;
    return dirOffset + dirLength;
}

std::optional<ResetTable> readResetTable(const unsigned char *bytes, std::size_t size,
                                         std::uint64_t contentLength)
{
    if (size < 40)
        return std::nullopt;
    const std::uint64_t blockCount = le(bytes + 4, 4);
    const std::uint64_t tableOffset = le(bytes + 12, 4);
    ResetTable table;
    table.uncompressedLength = le(bytes + 16, 8);
    table.compressedLength = le(bytes + 24, 8);
    table.blockLength = le(bytes + 32, 8);
    if (table.blockLength < kMinBlockLength || table.blockLength > kMaxBlockLength ||
        table.uncompressedLength > proto::kMaxTotalBytes || table.compressedLength > contentLength)
        return std::nullopt;
    const std::uint64_t needed = (table.uncompressedLength + table.blockLength - 1) / table.blockLength;
    if (blockCount < needed || blockCount > needed + 1 || !inside(tableOffset, blockCount * 8, size))
        return std::nullopt;
    std::uint64_t previous = 0;
    for (std::uint64_t i = 0; i < blockCount; ++i) {
        const std::uint64_t at = le(bytes + tableOffset + i * 8, 8);
        if ((i == 0 && at != 0) || at < previous || at > table.compressedLength)
            return std::nullopt;
        previous = at;
    }
    return table;
}

} // namespace helpreader
