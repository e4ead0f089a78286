#pragma once

// The parts of a help file's layout that chmlib relies on without checking, read from raw bytes
// so the reader can check them first. No chmlib and no Qt here: the fuzz targets use it as is.
#include <cstddef>
#include <cstdint>
#include <optional>

namespace helpreader {

// Where the uncompressed section begins, from the file's first bytes (0x60 suffice); nullopt for
// a header that is not a help file's.
std::optional<std::uint64_t> dataOffset(const unsigned char *header, std::size_t size);

// Whether [start, start + length) lies within [0, size), without overflow.
bool inside(std::uint64_t start, std::uint64_t length, std::uint64_t size);

struct ResetTable {
    std::uint64_t uncompressedLength = 0;
    std::uint64_t compressedLength = 0;
    std::uint64_t blockLength = 0;
};

// The compressed section's reset table, when it is consistent in itself and with the compressed
// content of contentLength bytes: a block length an LZX window can have, as many blocks as the
// uncompressed length needs (chmcmd adds one end entry), block starts that begin at 0, never go
// back and stay within the compressed length.
std::optional<ResetTable> readResetTable(const unsigned char *bytes, std::size_t size,
                                         std::uint64_t contentLength);

} // namespace helpreader
