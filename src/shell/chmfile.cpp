#include "shell/chmfile.h"

#include <chm_lib.h>

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

#include <csetjmp>
#include <csignal>

namespace shell {
namespace {

sigjmp_buf *g_faultJump = nullptr;

extern "C" void onLibraryFault(int)
{
    siglongjmp(*g_faultJump, 1);
}

// chmlib believes the numbers a file gives it: a damaged file can make it divide by zero or read
// outside its buffers. Every call into it runs here, where such a fault ends the call (false)
// instead of the program. The call must not create objects that need destroying.
template <typename Call> bool guarded(Call &&call)
{
    static constexpr int kSignals[] = {SIGFPE, SIGSEGV, SIGBUS};
    struct sigaction onFault {
    };
    onFault.sa_handler = onLibraryFault;
    sigemptyset(&onFault.sa_mask);
    struct sigaction saved[3];
    for (int i = 0; i < 3; ++i)
        sigaction(kSignals[i], &onFault, &saved[i]);
    sigjmp_buf *const outer = g_faultJump;
    sigjmp_buf jump;
    if (sigsetjmp(jump, 1) != 0) {
        g_faultJump = outer;
        for (int i = 0; i < 3; ++i)
            sigaction(kSignals[i], &saved[i], nullptr);
        return false;
    }
    g_faultJump = &jump;
    call();
    g_faultJump = outer;
    for (int i = 0; i < 3; ++i)
        sigaction(kSignals[i], &saved[i], nullptr);
    return true;
}

// Records of the #SYSTEM object: a 16-bit code, a 16-bit length, then the data.
constexpr quint16 kSystemContentsFile = 0;
constexpr quint16 kSystemDefaultTopic = 2;
constexpr quint16 kSystemTitle = 3;

quint16 readLe16(const QByteArray &data, qsizetype at)
{
    return static_cast<quint16>(static_cast<unsigned char>(data[at]) |
                                (static_cast<unsigned char>(data[at + 1]) << 8));
}

QString zeroTerminated(const QByteArray &data)
{
    const qsizetype end = data.indexOf('\0');
    return QString::fromUtf8(end < 0 ? data : data.left(end));
}

QString normalized(QString path)
{
    path.replace(u'\\', u'/');
    if (!path.startsWith(u'/'))
        path.prepend(u'/');
    return path;
}

} // namespace

void ChmFile::Closer::operator()(chmFile *h) const
{
    if (h)
        chm_close(h);
}

ChmFile::ChmFile() = default;
ChmFile::~ChmFile() = default;

bool ChmFile::open(const QString &fileName)
{
    m_owner.reset();
    m_handle = nullptr;
    m_contents.clear();
    m_title.clear();
    m_defaultTopic.clear();
    m_fileName = fileName;
    const QFileInfo info(fileName);
    if (!info.isFile() || !info.isReadable())
        return false;
    const QByteArray name = QFile::encodeName(info.absoluteFilePath());
    chmFile *opened = nullptr;
    if (!guarded([&] { opened = chm_open(name.constData()); }))
        return false; // what chmlib had built is left alone: it may be inconsistent
    m_owner.reset(opened);
    m_handle = opened;
    if (!m_handle)
        return false;

    readSystem();
    QString contentsFile = m_contentsFile;
    if (contentsFile.isEmpty() || !contains(contentsFile)) {
        // No contents named in #SYSTEM: take the first .hhc in the file.
        struct Found {
            QString path;
        } found;
        const auto findContents = [](chmFile *, chmUnitInfo *ui, void *context) -> int {
            const QString p = QString::fromUtf8(ui->path);
            if (p.endsWith(QLatin1String(".hhc"), Qt::CaseInsensitive)) {
                static_cast<Found *>(context)->path = p;
                return CHM_ENUMERATOR_SUCCESS;
            }
            return CHM_ENUMERATOR_CONTINUE;
        };
        chmFile *const handle = m_handle;
        if (!guarded([&] {
                chm_enumerate(handle, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES, findContents, &found);
            })) {
            abandon();
            return false;
        }
        contentsFile = found.path;
    }
    if (!contentsFile.isEmpty())
        m_contents = parseSitemap(decodeHtml(read(contentsFile)));
    // Something must be there to show: a file without a readable first page is damaged (a file
    // cut short still lists its pages, but their contents are gone).
    const QString first = defaultPage().section(u'#', 0, 0);
    if (first.isEmpty() || read(first).isEmpty()) {
        m_owner.reset();
        m_handle = nullptr;
        return false;
    }
    return true;
}

void ChmFile::readSystem()
{
    const QByteArray system = read(QStringLiteral("/#SYSTEM"));
    qsizetype at = 4; // a 32-bit version comes first
    while (at + 4 <= system.size()) {
        const quint16 code = readLe16(system, at);
        const quint16 length = readLe16(system, at + 2);
        at += 4;
        if (at + length > system.size())
            break;
        const QByteArray data = system.mid(at, length);
        at += length;
        switch (code) {
        case kSystemContentsFile:
            m_contentsFile = normalized(zeroTerminated(data));
            break;
        case kSystemDefaultTopic:
            m_defaultTopic = normalized(zeroTerminated(data));
            break;
        case kSystemTitle:
            m_title = zeroTerminated(data);
            break;
        default:
            break;
        }
    }
}

bool ChmFile::contains(const QString &path) const
{
    if (!m_handle)
        return false;
    chmUnitInfo ui{};
    const QByteArray p = normalized(path).toUtf8();
    return resolve(p, ui);
}

bool ChmFile::resolve(const QByteArray &path, chmUnitInfo &ui) const
{
    chmFile *const handle = m_handle;
    int result = CHM_RESOLVE_FAILURE;
    if (!guarded([&] { result = chm_resolve_object(handle, path.constData(), &ui); })) {
        abandon();
        return false;
    }
    return result == CHM_RESOLVE_SUCCESS;
}

void ChmFile::abandon() const
{
    // After a fault inside chmlib its state cannot be trusted, not even to close it: the
    // little it holds is given up and the file reads as empty from now on.
    m_owner.release();
    m_handle = nullptr;
}

QByteArray ChmFile::read(const QString &path) const
{
    if (!m_handle)
        return {};
    chmUnitInfo ui{};
    const QByteArray p = normalized(path).toUtf8();
    if (!resolve(p, ui))
        return {};
    // Help files hold pages and pictures; anything claiming to be huge is a damaged file.
    constexpr LONGUINT64 kLimit = 64 * 1024 * 1024;
    if (ui.length == 0 || ui.length > kLimit)
        return {};
    QByteArray out(static_cast<qsizetype>(ui.length), Qt::Uninitialized);
    chmFile *const handle = m_handle;
    unsigned char *const buffer = reinterpret_cast<unsigned char *>(out.data());
    LONGINT64 got = 0;
    if (!guarded(
            [&] { got = chm_retrieve_object(handle, &ui, buffer, 0, static_cast<LONGINT64>(ui.length)); })) {
        abandon();
        return {};
    }
    if (got <= 0)
        return {};
    out.truncate(static_cast<qsizetype>(got));
    return out;
}

QString ChmFile::defaultPage() const
{
    if (!m_defaultTopic.isEmpty() && contains(m_defaultTopic))
        return m_defaultTopic;
    for (const Topic &t : m_contents) {
        if (!t.path.isEmpty())
            return t.path;
    }
    return QString();
}

QList<ChmFile::Topic> ChmFile::parseSitemap(const QString &html)
{
    // Walk the tags in order: <ul> and </ul> give the depth, each sitemap <object> one entry
    // whose name and page come from its <param> tags.
    static const QRegularExpression tagRe(QStringLiteral(R"(<\s*(/?)\s*(ul|object|param)\b([^>]*)>)"),
                                          QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression attrRe(
        QStringLiteral(R"re((\w+)\s*=\s*("([^"]*)"|'([^']*)'|([^\s>]+)))re"));
    QList<Topic> out;
    int depth = -1;
    bool inObject = false;
    Topic current;
    auto it = tagRe.globalMatch(html);
    while (it.hasNext()) {
        const auto m = it.next();
        const bool closing = !m.captured(1).isEmpty();
        const QString tag = m.captured(2).toLower();
        if (tag == QLatin1String("ul")) {
            depth += closing ? -1 : 1;
            continue;
        }
        if (tag == QLatin1String("object")) {
            if (!closing) {
                inObject = true;
                current = Topic{};
                current.depth = std::max(depth, 0);
            } else if (inObject) {
                inObject = false;
                if (!current.name.isEmpty() || !current.path.isEmpty())
                    out.append(current);
            }
            continue;
        }
        if (!inObject || closing)
            continue;
        QString name;
        QString value;
        auto attrs = attrRe.globalMatch(m.captured(3));
        while (attrs.hasNext()) {
            const auto a = attrs.next();
            QString v = a.captured(3);
            if (v.isEmpty())
                v = a.captured(4);
            if (v.isEmpty())
                v = a.captured(5);
            const QString key = a.captured(1).toLower();
            if (key == QLatin1String("name"))
                name = v.toLower();
            else if (key == QLatin1String("value"))
                value = v;
        }
        if (name == QLatin1String("name") && current.name.isEmpty())
            current.name = value;
        else if (name == QLatin1String("local") && current.path.isEmpty())
            current.path = normalized(value);
    }
    return out;
}

QString decodeHtml(const QByteArray &bytes)
{
    QStringDecoder decoder = QStringDecoder::decoderForHtml(bytes);
    if (!decoder.isValid())
        decoder = QStringDecoder(QStringDecoder::Utf8);
    return decoder.decode(bytes);
}

} // namespace shell
