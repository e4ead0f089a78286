#include "shell/chmfile.h"

#include <chm_lib.h>

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

namespace shell {
namespace {

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
    m_owner.reset(chm_open(QFile::encodeName(info.absoluteFilePath()).constData()));
    m_handle = m_owner.get();
    if (!m_handle)
        return false;

    readSystem();
    QString contentsFile = m_contentsFile;
    if (contentsFile.isEmpty() || !contains(contentsFile)) {
        // No contents named in #SYSTEM: take the first .hhc in the file.
        struct Found {
            QString path;
        } found;
        chm_enumerate(
            m_handle, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES,
            [](chmFile *, chmUnitInfo *ui, void *context) -> int {
                const QString p = QString::fromUtf8(ui->path);
                if (p.endsWith(QLatin1String(".hhc"), Qt::CaseInsensitive)) {
                    static_cast<Found *>(context)->path = p;
                    return CHM_ENUMERATOR_SUCCESS;
                }
                return CHM_ENUMERATOR_CONTINUE;
            },
            &found);
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
    return chm_resolve_object(m_handle, p.constData(), &ui) == CHM_RESOLVE_SUCCESS;
}

QByteArray ChmFile::read(const QString &path) const
{
    if (!m_handle)
        return {};
    chmUnitInfo ui{};
    const QByteArray p = normalized(path).toUtf8();
    if (chm_resolve_object(m_handle, p.constData(), &ui) != CHM_RESOLVE_SUCCESS)
        return {};
    // Help files hold pages and pictures; anything claiming to be huge is a damaged file.
    constexpr LONGUINT64 kLimit = 64 * 1024 * 1024;
    if (ui.length == 0 || ui.length > kLimit)
        return {};
    QByteArray out(static_cast<qsizetype>(ui.length), Qt::Uninitialized);
    const LONGINT64 got = chm_retrieve_object(m_handle, &ui, reinterpret_cast<unsigned char *>(out.data()), 0,
                                              static_cast<LONGINT64>(ui.length));
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
