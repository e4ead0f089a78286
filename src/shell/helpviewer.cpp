#include "shell/helpviewer.h"

#include "ui/fontpagebudget.h"
#include "ui/fonts.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QShortcut>
#include <QSplitter>
#include <QTextDocument>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace shell {
namespace {

constexpr int kPathRole = Qt::UserRole;

} // namespace

HelpBrowser::HelpBrowser(QWidget *parent) : QTextBrowser(parent)
{
    setObjectName(QStringLiteral("page"));
    // Links stay inside the help file; nothing is handed to a browser.
    setOpenExternalLinks(false);
    setOpenLinks(true);
}

QUrl HelpBrowser::urlFor(const QString &path)
{
    QUrl url;
    url.setScheme(QString::fromLatin1(kScheme));
    const qsizetype hash = path.indexOf(u'#');
    url.setPath(hash < 0 ? path : path.left(hash));
    if (hash >= 0)
        url.setFragment(path.mid(hash + 1));
    return url;
}

QVariant HelpBrowser::loadResource(int type, const QUrl &name)
{
    // Relative names (pictures, style sheets, links) resolve against the page on show.
    QUrl url = name;
    if (url.isRelative())
        url = source().isValid() ? source().resolved(name) : urlFor(QStringLiteral("/")).resolved(name);
    if (url.scheme() != QLatin1String(kScheme) || !m_file)
        return QVariant();
    const QByteArray data = m_file->read(url.path());
    if (data.isEmpty()) {
        // A page the file does not hold gets a notice instead of an empty view.
        if (type == QTextDocument::HtmlResource)
            return QStringLiteral("<html><head><title>无法显示此页</title></head><body><h1>无法显示此页</h1>"
                                  "<p>帮助文件中没有“%1”，文件可能已经损坏。</p></body></html>")
                .arg(url.path().toHtmlEscaped());
        return QVariant();
    }
    switch (type) {
    case QTextDocument::HtmlResource:
        return decodeHtml(data);
    case QTextDocument::StyleSheetResource:
        return QString::fromUtf8(data);
    case QTextDocument::ImageResource: {
        QImage image;
        if (image.loadFromData(data))
            return image;
        return QVariant();
    }
    default:
        return data;
    }
}

void HelpBrowser::doSetSource(const QUrl &name, QTextDocument::ResourceType type)
{
    // A page is laid out as it is set: its glyphs' outlines are read for their advances.
    const ui::FontPageBudget budget(kGlyphLoadsPerRelease);
    QUrl url = name;
    if (url.isRelative())
        url = source().isValid() ? source().resolved(name) : urlFor(QStringLiteral("/")).resolved(name);
    QTextBrowser::doSetSource(url, type);
}

void HelpBrowser::paintEvent(QPaintEvent *event)
{
    // Drawing a page reads the outlines of its glyphs again, to make their bitmaps.
    const ui::FontPageBudget budget(kGlyphLoadsPerRelease);
    QTextBrowser::paintEvent(event);
}

HelpViewer::HelpViewer(std::unique_ptr<ChmFile> file, QWidget *parent) : HelpViewer(file->fileName(), parent)
{
    setFile(std::move(file));
}

HelpViewer::HelpViewer(const QString &fileName, QWidget *parent)
    : QWidget(parent, Qt::Window), m_fileName(fileName)
{
    setObjectName(QStringLiteral("helpviewer"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("词帆 帮助"));
    resize(900, 620);

    auto *split = new QSplitter(this);
    m_contents = new QTreeWidget(split);
    m_contents->setObjectName(QStringLiteral("contents"));
    m_contents->setHeaderHidden(true);
    m_contents->setFont(ui::designFont({}, 11));
    m_browser = new HelpBrowser(split);
    m_browser->setFont(ui::designFont({}, 11));
    m_browser->setPlainText(loadingText());
    split->addWidget(m_contents);
    split->addWidget(m_browser);
    split->setStretchFactor(1, 1);
    split->setSizes({230, 670});
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(split);

    connect(m_contents, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *item) { contents_Click(item); });
    connect(m_contents, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem *item) { contents_Click(item); });
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpViewer::syncContents);
    // Esc and Ctrl+W close the help as its close box does.
    for (const QKeySequence &key : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)})
        connect(new QShortcut(key, this), &QShortcut::activated, this, &QWidget::close);
}

void HelpViewer::setFile(std::unique_ptr<ChmFile> file)
{
    // The contents and the first page are laid out here, all their glyphs at once.
    const ui::FontPageBudget budget(HelpBrowser::kGlyphLoadsPerRelease);
    m_file = std::move(file);
    m_fileName = m_file->fileName();
    m_browser->setFile(m_file.get());
    if (!m_file->title().isEmpty())
        setWindowTitle(m_file->title());
    // The contents entries nest by their depth in the sitemap.
    m_contents->clear();
    QList<QTreeWidgetItem *> parents;
    for (const ChmFile::Topic &topic : m_file->contents()) {
        while (parents.size() > topic.depth)
            parents.removeLast();
        QTreeWidgetItem *item =
            parents.isEmpty() ? new QTreeWidgetItem(m_contents) : new QTreeWidgetItem(parents.last());
        item->setText(0, topic.name);
        item->setData(0, kPathRole, topic.path);
        parents.append(item);
    }
    m_contents->expandAll();
    showPage(m_file->defaultPage());
}

HelpViewer::~HelpViewer() = default;

void HelpViewer::showPage(const QString &path)
{
    if (!path.isEmpty())
        m_browser->setSource(HelpBrowser::urlFor(path), QTextDocument::HtmlResource);
}

void HelpViewer::contents_Click(QTreeWidgetItem *item)
{
    if (item)
        showPage(item->data(0, kPathRole).toString());
}

void HelpViewer::syncContents(const QUrl &url)
{
    // Keep the contents list on the entry of the page on show, when it has one.
    const QString path = url.path();
    for (QTreeWidgetItemIterator it(m_contents); *it; ++it) {
        const QString itemPath = (*it)->data(0, kPathRole).toString();
        if (itemPath.section(u'#', 0, 0) == path) {
            QSignalBlocker block(m_contents);
            m_contents->setCurrentItem(*it);
            return;
        }
    }
}

} // namespace shell
