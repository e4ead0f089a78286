// The help reader's own parsing: the file header that says where the uncompressed section
// begins, and the compressed section's reset table, checked before chmlib may rely on them. The
// input is taken as both. Nothing is read outside it (the address sanitizer watches).
#include "chmlayout.h"
#include "shell/helpprotocol.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void check(bool ok, const char *what)
{
    if (!ok) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    namespace proto = shell::helpprotocol;
    if (const auto offset = helpreader::dataOffset(data, size))
        check(size >= 0x58, "an offset comes from a whole header");
    for (const std::uint64_t content : {std::uint64_t(size), ~std::uint64_t(0)}) {
        if (const auto table = helpreader::readResetTable(data, size, content)) {
            check(table->blockLength >= 0x8000 && table->blockLength <= 2 * 1024 * 1024, "block length");
            check(table->compressedLength <= content, "compressed data within its content");
            check(table->uncompressedLength <= proto::kMaxTotalBytes, "uncompressed size within the limit");
        }
    }
    return 0;
}
