#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>

struct chmFile;
struct chmUnitInfo;

namespace shell {

// Read access to a compiled HTML help file: its pages, pictures and style sheets by path, the
// contents tree and the default page. Paths inside the file are absolute ("/index.htm").
class ChmFile
{
public:
    struct Topic {
        QString name;
        QString path;  // absolute path inside the file; may carry a "#fragment"
        int depth = 0; // 0 for top-level entries
    };

    ChmFile();
    ~ChmFile();
    ChmFile(const ChmFile &) = delete;
    ChmFile &operator=(const ChmFile &) = delete;

    // Opens the file; false when it does not exist or is not a readable help file.
    bool open(const QString &fileName);
    bool isOpen() const { return m_handle != nullptr; }
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

private:
    void readSystem();
    bool resolve(const QByteArray &path, chmUnitInfo &ui) const;
    // Gives up the handle after a fault inside chmlib.
    void abandon() const;

    struct Closer {
        void operator()(chmFile *h) const;
    };
    // Reading can find the file damaged and give the handle up, so both may change in a const read.
    mutable std::unique_ptr<chmFile, Closer> m_owner;
    mutable chmFile *m_handle = nullptr;
    QString m_fileName;
    QString m_title;
    QString m_defaultTopic;
    QString m_contentsFile;
    QList<Topic> m_contents;
};

// Decodes HTML bytes as the document declares (meta charset), UTF-8 when it declares nothing.
QString decodeHtml(const QByteArray &bytes);

} // namespace shell
