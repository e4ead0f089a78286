// What the help reader hands back: the reply's framing, then the help file's own records
// (#SYSTEM), its contents document and the pages, as the help viewer takes them. Nothing is read
// outside the reply's stated lengths (the address sanitizer watches).
#include "fuzzsupport.h"
#include "shell/chmfile.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using fuzzsupport::check;
    // A copy of exactly the input's length, so a read past its end is seen.
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto objects = shell::ChmFile::parseReply(bytes);
    shell::ChmFile file;
    const bool opened = file.openReply(QStringLiteral("fuzz.chm"), bytes);
    check(!opened || objects, "only a sound reply opens");
    if (opened) {
        const QString first = file.defaultPage().section(u'#', 0, 0);
        check(!file.read(first).isEmpty(), "an opened file has a page to show");
        for (const shell::ChmFile::Topic &topic : file.contents())
            (void)shell::decodeHtml(file.read(topic.path.section(u'#', 0, 0)));
    }
    // The contents parser on the raw input too, as if it were a contents document.
    for (const shell::ChmFile::Topic &topic : shell::ChmFile::parseSitemap(shell::decodeHtml(bytes)))
        check(topic.depth >= 0, "depths are never negative");
    return 0;
}
