#include "shell/chmfile.h"

#include "shell/helpprotocol.h"

#include "shell/helpreaderrun.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>

namespace shell {
namespace {

namespace proto = helpprotocol;

QString g_readerProgram;

// Records of the #SYSTEM object: a 16-bit code, a 16-bit length, then the data.
constexpr quint16 kSystemContentsFile = 0;
constexpr quint16 kSystemDefaultTopic = 2;
constexpr quint16 kSystemTitle = 3;

quint16 readLe16(const QByteArray &data, qsizetype at)
{
    return static_cast<quint16>(static_cast<unsigned char>(data[at]) |
                                (static_cast<unsigned char>(data[at + 1]) << 8));
}

quint32 readLe32(const char *p)
{
    const auto *u = reinterpret_cast<const unsigned char *>(p);
    return quint32(u[0]) | (quint32(u[1]) << 8) | (quint32(u[2]) << 16) | (quint32(u[3]) << 24);
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

ChmFile::ChmFile() = default;
ChmFile::~ChmFile() = default;

QString ChmFile::readerProgram()
{
    if (!g_readerProgram.isEmpty())
        return g_readerProgram;
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("cifan-helpreader"));
}

void ChmFile::setReaderProgram(const QString &path)
{
    g_readerProgram = path;
}

void ChmFile::clear()
{
    m_open = false;
    m_objects.clear();
    m_contents.clear();
    m_title.clear();
    m_defaultTopic.clear();
    m_contentsFile.clear();
}

bool ChmFile::open(const QString &fileName)
{
    clear();
    m_fileName = fileName;
    if (!mayBeHelpFile(fileName))
        return false;
    QByteArray reply;
    if (readHelpFileWaiting(QFileInfo(fileName).absoluteFilePath(), reply) != HelpReaderRun::Outcome::Read)
        return false;
    return openReply(fileName, reply);
}

bool ChmFile::mayBeHelpFile(const QString &fileName)
{
    const QFileInfo info(fileName);
    return info.isFile() && info.isReadable() && quint64(info.size()) <= proto::kMaxFileBytes;
}

std::optional<ChmFile::Objects> ChmFile::parseReply(const QByteArray &reply)
{
    if (!reply.startsWith(QByteArray::fromRawData(proto::kMagic, proto::kMagicSize)))
        return std::nullopt;
    Objects objects;
    const char *const data = reply.constData();
    const qsizetype size = reply.size();
    qsizetype at = proto::kMagicSize;
    quint64 total = 0;
    while (true) {
        if (size - at < 4)
            return std::nullopt;
        const quint32 pathLength = readLe32(data + at);
        at += 4;
        if (pathLength == proto::kEndMark) {
            if (size - at != 4 || readLe32(data + at) != quint32(objects.size()))
                return std::nullopt;
            return objects;
        }
        if (pathLength == 0 || pathLength > proto::kMaxPathBytes || size - at < qsizetype(pathLength) + 4 ||
            quint32(objects.size()) >= proto::kMaxObjects)
            return std::nullopt;
        const QString path = QString::fromUtf8(data + at, pathLength);
        at += pathLength;
        const quint32 length = readLe32(data + at);
        at += 4;
        if (length > proto::kMaxObjectBytes || size - at < qsizetype(length) ||
            length > proto::kMaxTotalBytes - total)
            return std::nullopt;
        const QString key = normalized(path).toLower();
        if (objects.contains(key))
            return std::nullopt;
        objects.insert(key, QByteArray(data + at, length));
        at += length;
        total += length;
    }
}

bool ChmFile::openReply(const QString &fileName, const QByteArray &reply)
{
    clear();
    m_fileName = fileName;
    auto objects = parseReply(reply);
    if (!objects)
        return false;
    m_objects = std::move(*objects);
    m_open = true;
    readSystem();
    QString contentsFile = m_contentsFile;
    if (contentsFile.isEmpty() || !contains(contentsFile)) {
        // No contents named in #SYSTEM: take a .hhc of the file (the first by name).
        contentsFile.clear();
        for (auto it = m_objects.cbegin(); it != m_objects.cend(); ++it) {
            if (it.key().endsWith(QLatin1String(".hhc")) &&
                (contentsFile.isEmpty() || it.key() < contentsFile))
                contentsFile = it.key();
        }
    }
    if (!contentsFile.isEmpty())
        m_contents = parseSitemap(decodeHtml(read(contentsFile)));
    // Something must be there to show: a file without a readable first page is damaged.
    const QString first = defaultPage().section(u'#', 0, 0);
    if (first.isEmpty() || read(first).isEmpty()) {
        clear();
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
    return m_open && m_objects.contains(normalized(path).toLower());
}

QByteArray ChmFile::read(const QString &path) const
{
    if (!m_open)
        return {};
    return m_objects.value(normalized(path).toLower());
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
