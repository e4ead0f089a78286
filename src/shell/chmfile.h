#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

namespace shell {

// A compiled HTML help file: its pages, pictures and style sheets by path, the contents tree and
// the default page. Paths inside the file are absolute ("/index.htm").
//
// The file is read by the help reader, a process of its own (cifan-helpreader beside the
// program), because the library that decodes such files trusts every number in them: a damaged
// file can make it loop forever or read wild. The reader gets a time limit and size limits;
// whatever it hands back is taken only as far as its stated lengths go.
class ChmFile
{
public:
    struct Topic {
        QString name;
        QString path;  // absolute path inside the file; may carry a "#fragment"
        int depth = 0; // 0 for top-level entries
    };
    using Objects = QHash<QString, QByteArray>; // keyed by lower-case path

    ChmFile();
    ~ChmFile();
    ChmFile(const ChmFile &) = delete;
    ChmFile &operator=(const ChmFile &) = delete;

    // The reader program: cifan-helpreader in the folder of the running executable, unless set.
    static QString readerProgram();
    static void setReaderProgram(const QString &path);

    // Opens the file; false when it does not exist or is not a readable help file (also when the
    // reader fails, runs out of time or hands back more than the limits allow). Waits for the
    // reader (at most helpprotocol::kTimeLimitMs) in a local event loop: windows start a
    // HelpReaderRun instead and take its reply with openReply().
    bool open(const QString &fileName);
    // A regular, readable file within the size limit: worth giving to the reader.
    static bool mayBeHelpFile(const QString &fileName);
    // Takes what a reader handed back for fileName; false when it is not a complete, sound reply
    // holding a page to show.
    bool openReply(const QString &fileName, const QByteArray &reply);
    bool isOpen() const { return m_open; }
    QString fileName() const { return m_fileName; }

    bool contains(const QString &path) const;
    // The object's bytes, or an empty array when it is not in the file.
    QByteArray read(const QString &path) const;

    QString title() const { return m_title; }
    // The page to show first: the file's default topic, else the first contents entry.
    QString defaultPage() const;
    const QList<Topic> &contents() const { return m_contents; }

    // Parses a contents (sitemap) document into entries in document order.
    static QList<Topic> parseSitemap(const QString &html);
    // Splits a reader's reply into its objects; nullopt unless every length fits and the reply
    // ends exactly after its end mark and object count.
    static std::optional<Objects> parseReply(const QByteArray &reply);

private:
    void clear();
    void readSystem();

    bool m_open = false;
    QString m_fileName;
    QString m_title;
    QString m_defaultTopic;
    QString m_contentsFile;
    QList<Topic> m_contents;
    Objects m_objects;
};

// Decodes HTML bytes as the document declares (meta charset), UTF-8 when it declares nothing.
QString decodeHtml(const QByteArray &bytes);

} // namespace shell
