// A whole help file, read the way the program reads it: by the help reader process, with its time
// and size limits. Whatever the file holds, opening ends within the limit, and an opened file has
// a page to show.
#include "fuzzsupport.h"
#include "shell/chmfile.h"
#include "shell/helpprotocol.h"

#include <QDir>
#include <QElapsedTimer>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using fuzzsupport::check;
    fuzzsupport::ensureApp();
    shell::ChmFile::setReaderProgram(QStringLiteral(CIFAN_PROGRAM_DIR "/cifan-helpreader"));
    const QString path = QDir(fuzzsupport::scratchFolder()).filePath(QStringLiteral("帮助.chm"));
    fuzzsupport::putFile(path, reinterpret_cast<const char *>(data), size);
    QElapsedTimer clock;
    clock.start();
    shell::ChmFile file;
    const bool opened = file.open(path);
    check(clock.elapsed() < shell::helpprotocol::kTimeLimitMs + 1000, "opening ends within the time limit");
    if (opened)
        check(!file.read(file.defaultPage().section(u'#', 0, 0)).isEmpty(), "an opened file has a page");
    return 0;
}
