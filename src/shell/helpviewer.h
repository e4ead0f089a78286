#pragma once

#include "shell/chmfile.h"

#include <QTextBrowser>
#include <QWidget>

class QTreeWidget;
class QTreeWidgetItem;

namespace shell {

// Shows the pages of a compiled help file: every page, picture and style sheet is read from
// the file itself, so links between pages and pictures in them work as they were written.
class HelpBrowser : public QTextBrowser
{
    Q_OBJECT

public:
    static constexpr const char *kScheme = "chm";
    // Laying out and drawing a page of help gives the font pages back after this many glyphs.
    static constexpr int kGlyphLoadsPerRelease = 64;

    explicit HelpBrowser(QWidget *parent = nullptr);
    // The file whose pages are shown; none while it is being read.
    void setFile(const ChmFile *file) { m_file = file; }

    // The address of a path inside the help file.
    static QUrl urlFor(const QString &path);
    QVariant loadResource(int type, const QUrl &name) override;

protected:
    // Relative names resolve against the page on show, so the address on show is always whole.
    void doSetSource(const QUrl &name, QTextDocument::ResourceType type) override;
    void paintEvent(QPaintEvent *event) override;

private:
    const ChmFile *m_file{nullptr};
};

// The program's help window `helpviewer`: the contents on the left, the page on the right.
class HelpViewer : public QWidget
{
    Q_OBJECT

public:
    // Takes an opened help file.
    explicit HelpViewer(std::unique_ptr<ChmFile> file, QWidget *parent = nullptr);
    // A viewer for a file still being read: it says so until setFile() gives it the file.
    explicit HelpViewer(const QString &fileName, QWidget *parent = nullptr);
    ~HelpViewer() override;

    static QString loadingText() { return QStringLiteral("正在打开帮助…"); }
    // Shows the opened file: its title, contents and first page.
    void setFile(std::unique_ptr<ChmFile> file);
    bool isLoading() const { return !m_file; }

    QString fileName() const { return m_fileName; }
    HelpBrowser *browser() const { return m_browser; }
    QTreeWidget *contentsTree() const { return m_contents; }
    // Shows a page of the file by its path inside it ("/index.htm").
    void showPage(const QString &path);

private:
    void contents_Click(QTreeWidgetItem *item);
    void syncContents(const QUrl &url);

    QString m_fileName;
    std::unique_ptr<ChmFile> m_file;
    QTreeWidget *m_contents{nullptr};
    HelpBrowser *m_browser{nullptr};
};

} // namespace shell
