// cifan-helpreader FILE: reads a compiled help file with chmlib and writes its objects to the
// standard output in the form of shell/helpprotocol.h.
//
// chmlib believes the numbers a file gives it: a damaged file can make it loop forever, divide by
// zero or read outside its buffers. It therefore runs here, in a process of its own with tight
// resource limits, which the program ends after a time limit. Before chmlib touches the
// compressed data, the layout it is about to rely on is checked against the file itself.
#include "chmlayout.h"
#include "sandbox.h"
#include "shell/helpprotocol.h"

#include <chm_lib.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace proto = shell::helpprotocol;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

const char kResetTable[] = "::DataSpace/Storage/MSCompressed/Transform/"
                           "{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/InstanceData/ResetTable";
const char kContent[] = "::DataSpace/Storage/MSCompressed/Content";

void limit(int resource, rlim_t value)
{
    const struct rlimit r {
        value, value
    };
    setrlimit(resource, &r);
}

void limitResources()
{
    limit(RLIMIT_CPU, 3);   // the program's wall-clock limit comes first; this is the backstop
    limit(RLIMIT_CORE, 0);  // a fault leaves no core file behind
    limit(RLIMIT_FSIZE, 0); // nothing is written to any file
    limit(RLIMIT_NOFILE, 32);
    // The address sanitizer reserves terabytes of address space for its shadow memory.
    if (!kAddressSanitizer)
        limit(RLIMIT_AS, 1024ull * 1024 * 1024);
}

struct Unit {
    std::string path;
    std::uint64_t start;
    std::uint64_t length;
    int space;
};

struct Listing {
    std::vector<Unit> units;
    std::set<std::string> seen;
    bool damaged = false;
};

int collect(chmFile *, chmUnitInfo *ui, void *context)
{
    auto *listing = static_cast<Listing *>(context);
    // A damaged directory can list entries over and over: a name seen twice, or more entries
    // than any help file has, ends the listing.
    const std::string path(ui->path, strnlen(ui->path, sizeof ui->path));
    if (listing->units.size() >= proto::kMaxObjects || !listing->seen.insert(path).second) {
        listing->damaged = true;
        return CHM_ENUMERATOR_FAILURE;
    }
    listing->units.push_back(Unit{path, ui->start, ui->length, ui->space});
    return CHM_ENUMERATOR_CONTINUE;
}

const Unit *find(const Listing &listing, const char *path)
{
    for (const Unit &u : listing.units) {
        if (u.path == path)
            return &u;
    }
    return nullptr;
}

// Checks what chmlib will rely on when it reads: uncompressed objects lie within the file, and
// the reset table of the compressed section is consistent with the section and its objects.
bool layoutIsSound(chmFile *file, const Listing &listing, std::uint64_t offset, std::uint64_t fileSize)
{
    if (offset > fileSize)
        return false;
    const std::uint64_t section0 = fileSize - offset;
    bool compressed = false;
    for (const Unit &u : listing.units) {
        if (u.space == 1 && u.length > 0)
            compressed = true;
        else if (u.space != 0 && u.length > 0)
            return false;
        else if (u.space == 0 && !helpreader::inside(u.start, u.length, section0))
            return false;
    }
    if (!compressed)
        return true;
    const Unit *table = find(listing, kResetTable);
    const Unit *content = find(listing, kContent);
    if (!table || !content || table->space != 0 || content->space != 0 || table->length < 40 ||
        table->length > 1024 * 1024)
        return false;
    std::vector<unsigned char> bytes(table->length);
    chmUnitInfo info{};
    if (chm_resolve_object(file, kResetTable, &info) != CHM_RESOLVE_SUCCESS ||
        chm_retrieve_object(file, &info, bytes.data(), 0, static_cast<LONGINT64>(bytes.size())) !=
            static_cast<LONGINT64>(bytes.size()))
        return false;
    const auto reset = helpreader::readResetTable(bytes.data(), bytes.size(), content->length);
    if (!reset)
        return false;
    const std::uint64_t uncompressed = reset->uncompressedLength;
    for (const Unit &u : listing.units) {
        if (u.space == 1 && !helpreader::inside(u.start, u.length, uncompressed))
            return false;
    }
    return true;
}

void put32(std::string &out, std::uint64_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

bool writeAll(const std::string &out)
{
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t n = write(STDOUT_FILENO, out.data() + done, out.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

int readHelpFile(const char *name)
{
    const int fd = open(name, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return proto::kExitDamaged;
    struct stat st {
    };
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        static_cast<std::uint64_t>(st.st_size) > proto::kMaxFileBytes) {
        close(fd);
        return proto::kExitDamaged;
    }
    unsigned char header[0x60] = {};
    const ssize_t got = pread(fd, header, sizeof header, 0);
    const auto offset = helpreader::dataOffset(header, got < 0 ? 0 : static_cast<std::size_t>(got));
    const auto fileSize = static_cast<std::uint64_t>(st.st_size);
    close(fd);
    if (!offset)
        return proto::kExitDamaged;

    chmFile *file = chm_open(name);
    if (!file)
        return proto::kExitDamaged;
    // From here on the reader only reads the open file and writes its reply.
    if (!helpreader::confineToReading()) {
        chm_close(file);
        return proto::kExitDamaged;
    }
    Listing listing;
    chm_enumerate(file, CHM_ENUMERATE_ALL, collect, &listing);
    if (listing.damaged || !layoutIsSound(file, listing, *offset, fileSize)) {
        chm_close(file);
        return proto::kExitDamaged;
    }

    std::string out(proto::kMagic, proto::kMagicSize);
    std::uint64_t total = 0;
    std::uint32_t count = 0;
    for (const Unit &u : listing.units) {
        // Pages, pictures and the file's own records; the storage internals stay here.
        if (u.path.empty() || u.path[0] != '/' || u.path.back() == '/')
            continue;
        if (u.path.size() > proto::kMaxPathBytes || u.length > proto::kMaxObjectBytes ||
            u.length > proto::kMaxTotalBytes - total) {
            chm_close(file);
            return proto::kExitDamaged;
        }
        std::vector<unsigned char> data(u.length);
        chmUnitInfo info{};
        info.start = u.start;
        info.length = u.length;
        info.space = u.space;
        std::memcpy(info.path, u.path.c_str(), u.path.size() + 1);
        if (u.length > 0 &&
            chm_retrieve_object(file, &info, data.data(), 0, static_cast<LONGINT64>(u.length)) !=
                static_cast<LONGINT64>(u.length)) {
            chm_close(file);
            return proto::kExitDamaged;
        }
        total += u.length;
        put32(out, u.path.size());
        out += u.path;
        put32(out, u.length);
        out.append(reinterpret_cast<const char *>(data.data()), data.size());
        ++count;
    }
    chm_close(file);
    put32(out, proto::kEndMark);
    put32(out, count);
    return writeAll(out) ? proto::kExitOk : proto::kExitDamaged;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2)
        return proto::kExitUsage;
    // Nothing the program had open reaches the parser; no exec can give it privileges.
    helpreader::closeDescriptorsAbove(STDERR_FILENO);
    if (!helpreader::forbidNewPrivileges())
        return proto::kExitDamaged;
    limitResources();
    const int status = readHelpFile(argv[1]);
    // The leak checker of a sanitizer build runs at exit and needs calls the filter forbids
    // (it reads /proc and stops the process's threads); the reader ends without it. The fuzz
    // targets run the same parsing in a process of their own, with leak checks.
    if (kAddressSanitizer)
        _exit(status);
    return status;
}
