// The help file built with the program and its viewer: contents, pages, links, pictures, and
// the F1 command of every window.
#include "chmlayout.h"
#include "gapprobe.h"
#include "sandbox.h"
#include "shell/chmfile.h"
#include "shell/helpprotocol.h"
#include "shell/helpviewer.h"
#include "shell/startmenuwindow.h"
#include "shell/workwindow.h"
#include "testapp.h"
#include "ui/fontpagebudget.h"
#include "ui/fontpages.h"
#include "ui/fonts.h"

#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTreeWidget>
#include <QtTest>

#include <csignal>
#include <memory>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

using shell::HelpViewer;

namespace {

const QString kBuiltHelp = QStringLiteral(CIFAN_PROGRAM_DIR "/帮助.chm");

QTreeWidgetItem *findTopic(QTreeWidget *tree, const QString &name)
{
    const auto items = tree->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
    return items.isEmpty() ? nullptr : items.first();
}

void pressF1(QWidget *window)
{
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window, Qt::Key_F1);
}

// Keeps the working directory of the test process as it was.
struct CurrentDir {
    QString saved = QDir::currentPath();
    explicit CurrentDir(const QString &dir) { QDir::setCurrent(dir); }
    ~CurrentDir() { QDir::setCurrent(saved); }
};

QByteArray le32(quint32 v)
{
    QByteArray b(4, '\0');
    for (int i = 0; i < 4; ++i)
        b[i] = char((v >> (8 * i)) & 0xFF);
    return b;
}

QByteArray objectRecord(const QByteArray &path, const QByteArray &data)
{
    return le32(quint32(path.size())) + path + le32(quint32(data.size())) + data;
}

QByteArray reply(const QByteArray &records, quint32 count)
{
    return QByteArray(shell::helpprotocol::kMagic) + records + le32(shell::helpprotocol::kEndMark) +
           le32(count);
}

// A reader of the test's own, as a shell script.
QString putReader(TestApp &app, const QByteArray &script, QFile::Permissions permissions)
{
    const QString reader = app.path(QStringLiteral("reader.sh"));
    QFile f(reader);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QString();
    f.write("#!/bin/sh\n" + script);
    f.close();
    f.setPermissions(permissions);
    return reader;
}

int openDescriptors()
{
    return int(
        QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size());
}

// The help reader runs while the program goes on: waits until the file has been read.
void waitForHelp(TestApp &app)
{
    QTRY_VERIFY_WITH_TIMEOUT(!app.shell().isOpeningHelp(), shell::helpprotocol::kTimeLimitMs + 3000);
}

// Opening a damaged file ends in the damaged-file message, soon; the program then still opens a
// sound file.
void expectDamagedMessage(TestApp &app, const QString &damaged)
{
    QElapsedTimer clock;
    clock.start();
    app.shell().openHelp(nullptr, damaged);
    waitForHelp(app);
    const qint64 took = clock.elapsed();
    QVERIFY(!app.shell().helpViewer());
    QCOMPARE(app.ui().messages.size(), 1);
    const QString text = app.ui().messages.first().message.text;
    QVERIFY2(text.contains(QStringLiteral("无法读取帮助文件“帮助.chm”，它可能已经损坏。")), qPrintable(text));
    QVERIFY2(text.contains(damaged), qPrintable(text));
    QVERIFY2(took < shell::helpprotocol::kTimeLimitMs + 1500, qPrintable(QString::number(took)));
    app.shell().openHelp(nullptr, kBuiltHelp);
    waitForHelp(app);
    QVERIFY(app.shell().helpViewer());
}

// Kilobytes of font files (and font caches) resident in this process.
int residentFontKb()
{
    QFile smaps(QStringLiteral("/proc/self/smaps"));
    int kb = 0;
    bool inFont = false;
    for (const QByteArray &line :
         smaps.open(QIODevice::ReadOnly) ? smaps.readAll().split('\n') : QByteArrayList()) {
        if (line.left(line.indexOf(' ')).contains('-')) // a mapping's first line
            inFont = ui::fontDataMapping(QString::fromUtf8(line)).has_value();
        else if (inFont && line.startsWith("Rss:"))
            kb += line.mid(4).trimmed().split(' ').value(0).toInt();
    }
    return kb;
}

// Lays out and draws `count` different hanzi, one in every 53 from `first`.
void drawHanzi(char16_t first, int count)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text.append(QChar(char16_t(first + 53 * i)));
    QImage page(1000, 1000, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&page);
    painter.setFont(ui::designFont({}, 21));
    painter.drawText(page.rect(), Qt::TextWrapAnywhere, text);
}

} // namespace

class TestHelp : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useBuiltHelpReader(); }
    // First: no glyph of the help's faces and sizes is cached yet, as in the program.
    void theFirstPageIsLaidOutAndDrawnUnderABudget();
    void builtFileHasContentsAndDefaultPage();
    void sitemapNesting();
    void viewerShowsFirstPage();
    void escAndCtrlWClose_data();
    void escAndCtrlWClose();
    void contentsAndLinksNavigate();
    void picturesAndStyleComeFromTheFile();
    void missingFileIsNamed();
    void damagedFileIsNamed();
    void damagedFilesFromTheFieldAreNamed_data();
    void damagedFilesFromTheFieldAreNamed();
    void aReaderThatFailsIsStopped_data();
    void aReaderThatFailsIsStopped();
    void replyLengthsAreNotTrusted_data();
    void replyLengthsAreNotTrusted();
    void resetTableIsCheckedBeforeUse_data();
    void resetTableIsCheckedBeforeUse();
    void startButtonOpensProgramFolderFile();
    void f1FromEveryWorkingWindow_data();
    void f1FromEveryWorkingWindow();
    void workingWindowsLookInTheWorkingFolder_data();
    void theProgramGoesOnWhileTheReaderRuns_data();
    void theProgramGoesOnWhileTheReaderRuns();
    void aReaderThatCannotRunIsNamed_data();
    void aReaderThatCannotRunIsNamed();
    void theReaderInheritsNoDescriptor();
    void theConfinedReaderMayOnlyReadAndReply_data();
    void theConfinedReaderMayOnlyReadAndReply();
    void workingWindowsLookInTheWorkingFolder();
    void aBudgetBoundsTheFontPagesOfAPageOfText();
};

void TestHelp::theFirstPageIsLaidOutAndDrawnUnderABudget()
{
    TestApp app;
    const quint64 releases = ui::FontPageBudget::releases();
    app.shell().openHelp(nullptr, kBuiltHelp);
    waitForHelp(app);
    QVERIFY(app.shell().helpViewer());
    app.shell().helpViewer()->grab();
    QVERIFY(ui::FontPageBudget::releases() > releases);
    QCOMPARE(ui::FontPageBudget::current(), 0);
}

void TestHelp::builtFileHasContentsAndDefaultPage()
{
    shell::ChmFile file;
    QVERIFY2(file.open(kBuiltHelp), qPrintable(kBuiltHelp));
    QCOMPARE(file.defaultPage(), QStringLiteral("/index.htm"));
    QCOMPARE(file.title(), QStringLiteral("词帆 帮助"));
    QStringList names;
    for (const auto &t : file.contents())
        names << t.name;
    for (const char *expected :
         {"词帆使用说明", "开始窗口", "课时编号", "单词学习", "单词练习", "错题栏与错题专练", "闪电速练",
          "单词查询", "命令、功能键与右键菜单", "字形比较与关于", "休息提醒", "设置保存在哪里", "使用技巧"})
        QVERIFY2(names.contains(QString::fromUtf8(expected)), expected);
    // Every contents entry leads to a page that is in the file.
    for (const auto &t : file.contents())
        QVERIFY2(!file.read(t.path).isEmpty(), qPrintable(t.path));
    QVERIFY(file.read(QStringLiteral("/no-such-page.htm")).isEmpty());
}

void TestHelp::sitemapNesting()
{
    const QString sitemap = QStringLiteral(
        "<ul><li><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"甲\"><param name=\"Local\" "
        "value=\"a.htm\">"
        "</OBJECT><UL><li><object type='text/sitemap'><param name='Name' value='乙'><param name='Local' "
        "value='sub\\b.htm#x'></object></UL><li><object type=\"text/sitemap\"><param name=\"Name\" "
        "value=\"丙\">"
        "</object></ul>");
    const auto topics = shell::ChmFile::parseSitemap(sitemap);
    QCOMPARE(topics.size(), 3);
    QCOMPARE(topics[0].name, QStringLiteral("甲"));
    QCOMPARE(topics[0].path, QStringLiteral("/a.htm"));
    QCOMPARE(topics[0].depth, 0);
    QCOMPARE(topics[1].path, QStringLiteral("/sub/b.htm#x"));
    QCOMPARE(topics[1].depth, 1);
    QCOMPARE(topics[2].depth, 0);
    QVERIFY(topics[2].path.isEmpty());
}

void TestHelp::viewerShowsFirstPage()
{
    TestApp app;
    app.shell().openHelp(nullptr, kBuiltHelp);
    waitForHelp(app);
    HelpViewer *viewer = app.shell().helpViewer();
    QVERIFY(viewer);
    QVERIFY(app.ui().messages.isEmpty());
    QVERIFY(viewer->isVisible());
    QCOMPARE(viewer->objectName(), QStringLiteral("helpviewer"));
    QCOMPARE(viewer->browser()->documentTitle(), QStringLiteral("词帆使用说明"));
    QVERIFY(viewer->browser()->toPlainText().contains(QStringLiteral("三大功能")));
    QCOMPARE(viewer->contentsTree()->currentItem()->text(0), QStringLiteral("词帆使用说明"));
    // Practice's sub-pages are nested under it.
    QTreeWidgetItem *flash = findTopic(viewer->contentsTree(), QStringLiteral("闪电速练"));
    QVERIFY(flash && flash->parent());
    QCOMPARE(flash->parent()->text(0), QStringLiteral("单词练习"));
}

void TestHelp::escAndCtrlWClose_data()
{
    QTest::addColumn<QKeyCombination>("key");
    QTest::newRow("Esc") << QKeyCombination(Qt::Key_Escape);
    QTest::newRow("Ctrl+W") << QKeyCombination(Qt::ControlModifier, Qt::Key_W);
}

void TestHelp::escAndCtrlWClose()
{
    QFETCH(QKeyCombination, key);
    TestApp app;
    app.shell().openHelp(nullptr, kBuiltHelp);
    waitForHelp(app);
    QPointer<HelpViewer> viewer = app.shell().helpViewer();
    QVERIFY(viewer);
    viewer->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(viewer));
    QTest::keyClick(viewer->browser(), key.key(), key.keyboardModifiers());
    TestApp::settle();
    QVERIFY(!viewer);
    QVERIFY(!app.shell().helpViewer());
}

void TestHelp::contentsAndLinksNavigate()
{
    TestApp app;
    app.shell().openHelp(nullptr, kBuiltHelp);
    waitForHelp(app);
    HelpViewer *viewer = app.shell().helpViewer();
    QVERIFY(viewer);
    QTreeWidget *tree = viewer->contentsTree();
    QTreeWidgetItem *query = findTopic(tree, QStringLiteral("单词查询"));
    QVERIFY(query);
    tree->scrollToItem(query);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(query).center());
    QCOMPARE(viewer->browser()->documentTitle(), QStringLiteral("单词查询"));
    QVERIFY(viewer->browser()->toPlainText().contains(QStringLiteral("每15个一屏")));

    // The first link of the page ("返回首页" is last; the body links come first): follow it
    // with the keyboard, as a reader would.
    viewer->browser()->setSource(QUrl(QStringLiteral("lessons.htm")));
    QCOMPARE(viewer->browser()->documentTitle(), QStringLiteral("课时编号"));
    QCOMPARE(tree->currentItem()->text(0), QStringLiteral("课时编号"));
    viewer->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(viewer));
    viewer->browser()->setFocus();
    QTest::keyClick(viewer->browser(), Qt::Key_Tab);
    QVERIFY(viewer->browser()->textCursor().hasSelection());
    QTest::keyClick(viewer->browser(), Qt::Key_Return);
    QCOMPARE(viewer->browser()->documentTitle(), QStringLiteral("词帆使用说明"));
    QCOMPARE(viewer->browser()->source().path(), QStringLiteral("/index.htm"));
}

void TestHelp::picturesAndStyleComeFromTheFile()
{
    TestApp app;
    app.shell().openHelp(nullptr, kBuiltHelp);
    waitForHelp(app);
    HelpViewer *viewer = app.shell().helpViewer();
    QVERIFY(viewer);
    const QVariant logo = viewer->browser()->loadResource(QTextDocument::ImageResource,
                                                          QUrl(QStringLiteral("images/logo.png")));
    QVERIFY(logo.canConvert<QImage>());
    QVERIFY(!logo.value<QImage>().isNull());
    const QVariant css =
        viewer->browser()->loadResource(QTextDocument::StyleSheetResource, QUrl(QStringLiteral("style.css")));
    QVERIFY(css.toString().contains(QStringLiteral("h1")));
    QVERIFY(!viewer->browser()
                 ->loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("images/none.png")))
                 .isValid());
    // A link to a page the file does not hold shows a notice naming it.
    viewer->browser()->setSource(QUrl(QStringLiteral("gone.htm")));
    QCOMPARE(viewer->browser()->documentTitle(), QStringLiteral("无法显示此页"));
    QVERIFY(viewer->browser()->toPlainText().contains(QStringLiteral("/gone.htm")));
    // Nothing outside the help file is read.
    QVERIFY(!viewer->browser()
                 ->loadResource(QTextDocument::HtmlResource, QUrl::fromLocalFile(kBuiltHelp))
                 .isValid());
}

void TestHelp::missingFileIsNamed()
{
    TestApp app;
    const QString missing = app.path(QStringLiteral("帮助.chm"));
    app.shell().openHelp(nullptr, missing);
    waitForHelp(app);
    QVERIFY(!app.shell().helpViewer());
    QCOMPARE(app.ui().messages.size(), 1);
    const QString text = app.ui().messages.first().message.text;
    QVERIFY2(text.contains(QStringLiteral("找不到帮助文件“帮助.chm”")), qPrintable(text));
    QVERIFY2(text.contains(missing), qPrintable(text));
}

void TestHelp::damagedFileIsNamed()
{
    TestApp app;
    const QString damaged = app.path(QStringLiteral("帮助.chm"));
    {
        QFile f(damaged);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("ITSF this is not a help file at all");
    }
    app.shell().openHelp(nullptr, damaged);
    waitForHelp(app);
    QVERIFY(!app.shell().helpViewer());
    QCOMPARE(app.ui().messages.size(), 1);
    QVERIFY(app.ui().messages.first().message.text.contains(QStringLiteral("无法读取帮助文件“帮助.chm”")));

    // A help file cut short is reported too, and nothing crashes.
    QFile built(kBuiltHelp);
    QVERIFY(built.open(QIODevice::ReadOnly));
    const QByteArray head = built.read(4096);
    {
        QFile f(damaged);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(head);
    }
    app.shell().openHelp(nullptr, damaged);
    waitForHelp(app);
    QVERIFY(!app.shell().helpViewer());
    QCOMPARE(app.ui().messages.size(), 2);
    QVERIFY(app.ui().messages[1].message.text.contains(QStringLiteral("无法读取帮助文件“帮助.chm”")));

    // A directory entry that puts the compression's reset table into a space the file does not
    // have: the file is found damaged, where reading it used to end the program with a division
    // by zero inside chmlib.
    QVERIFY(built.seek(0));
    QByteArray bytes = built.readAll();
    const QByteArray entry("InstanceData/ResetTable");
    const qsizetype at = bytes.indexOf(entry);
    QVERIFY(at > 0);
    const qsizetype space = at + entry.size(); // the entry's space number follows its name
    QCOMPARE(bytes[space], '\0');
    bytes[space] = '\2';
    {
        QFile f(damaged);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    app.shell().openHelp(nullptr, damaged);
    waitForHelp(app);
    QVERIFY(!app.shell().helpViewer());
    QCOMPARE(app.ui().messages.size(), 3);
    QVERIFY(app.ui().messages[2].message.text.contains(QStringLiteral("无法读取帮助文件“帮助.chm”")));

    // The file on show stays usable after another one was found damaged.
    app.shell().openHelp(nullptr, kBuiltHelp);
    waitForHelp(app);
    QVERIFY(app.shell().helpViewer());
    QCOMPARE(app.shell().helpViewer()->browser()->documentTitle(), QStringLiteral("词帆使用说明"));
}

void TestHelp::damagedFilesFromTheFieldAreNamed_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<int>("keep"); // bytes of the source kept; -1 for all
    const QString data = QStringLiteral(CIFAN_SOURCE_DIR "/tests/data/damaged-help/");
    QTest::newRow("listing loops") << data + QStringLiteral("chm-hang-enumerate.chm") << -1;
    QTest::newRow("reads past a block") << data + QStringLiteral("chm-oob-read-retrieve.chm") << -1;
    QTest::newRow("cut at 16 KB") << kBuiltHelp << 16 * 1024;
}

void TestHelp::damagedFilesFromTheFieldAreNamed()
{
    QFETCH(QString, source);
    QFETCH(int, keep);
    TestApp app;
    QFile in(source);
    QVERIFY(in.open(QIODevice::ReadOnly));
    const QByteArray bytes = keep < 0 ? in.readAll() : in.read(keep);
    const QString damaged = app.path(QStringLiteral("帮助.chm"));
    QFile out(damaged);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(bytes);
    out.close();
    expectDamagedMessage(app, damaged);
}

void TestHelp::aReaderThatFailsIsStopped_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::newRow("hangs") << QByteArray("exec sleep 30\n");
    QTest::newRow("crashes") << QByteArray("kill -SEGV $$\n");
    QTest::newRow("floods") << QByteArray("exec cat /dev/zero\n");
    QTest::newRow("claims more than it sends")
        << QByteArray("printf 'CIFANHELP1\\012\\000\\000\\000/index.htm\\377\\377\\000\\000<html>'\n");
    QTest::newRow("fails") << QByteArray("exit 2\n");
    // A reader that is not there has a message of its own (aReaderThatCannotRunIsNamed).
}

void TestHelp::aReaderThatFailsIsStopped()
{
    QFETCH(QByteArray, script);
    TestApp app;
    const QString reader = app.path(QStringLiteral("reader.sh"));
    if (!script.isEmpty()) {
        QFile f(reader);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n" + script);
        f.close();
        QVERIFY(f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }
    shell::ChmFile::setReaderProgram(reader);
    const auto restore = qScopeGuard([] { useBuiltHelpReader(); });
    const QString file = app.path(QStringLiteral("帮助.chm"));
    QVERIFY(QFile::copy(kBuiltHelp, file));
    QElapsedTimer clock;
    clock.start();
    app.shell().openHelp(nullptr, file);
    waitForHelp(app);
    QVERIFY2(clock.elapsed() < shell::helpprotocol::kTimeLimitMs + 1500,
             qPrintable(QString::number(clock.elapsed())));
    QVERIFY(!app.shell().helpViewer());
    QCOMPARE(app.ui().messages.size(), 1);
    QVERIFY(app.ui().messages.first().message.text.contains(QStringLiteral("无法读取帮助文件“帮助.chm”")));
}

void TestHelp::replyLengthsAreNotTrusted_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("sound");
    const QByteArray page = objectRecord("/index.htm", "<html><title>T</title>x</html>");
    const QByteArray contents =
        objectRecord("/a.hhc", "<ul><li><object type=\"text/sitemap\"><param name=\"Name\" "
                               "value=\"T\"><param name=\"Local\" value=\"index.htm\"></object></ul>");
    const QByteArray sound = reply(page + contents, 2);
    QTest::newRow("sound") << sound << true;
    QTest::newRow("data longer than the reply") << sound.left(sound.size() - 20) << false;
    QByteArray longPath = sound;
    longPath[int(shell::helpprotocol::kMagicSize)] = char(0x7F);
    QTest::newRow("path longer than the reply") << longPath << false;
    QTest::newRow("no end mark") << QByteArray(shell::helpprotocol::kMagic) + page + contents << false;
    QTest::newRow("wrong count") << reply(page + contents, 3) << false;
    QTest::newRow("bytes after the end") << sound + "x" << false;
    QTest::newRow("same page twice") << reply(page + page, 2) << false;
    QTest::newRow("empty path") << reply(objectRecord("", "x"), 1) << false;
    QTest::newRow("object over the limit") << reply(le32(10) + "/index.htm" + le32(0x7FFFFFFF), 1) << false;
    QTest::newRow("another magic") << QByteArray("CIFANHELP2") + sound.mid(10) << false;
}

void TestHelp::replyLengthsAreNotTrusted()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, sound);
    const auto objects = shell::ChmFile::parseReply(bytes);
    QCOMPARE(objects.has_value(), sound);
    shell::ChmFile file;
    QCOMPARE(file.openReply(QStringLiteral("x.chm"), bytes), sound);
    if (sound) {
        QCOMPARE(objects->size(), 2);
        QCOMPARE(file.defaultPage(), QStringLiteral("/index.htm"));
        QCOMPARE(file.read(QStringLiteral("/INDEX.htm")), QByteArray("<html><title>T</title>x</html>"));
        QCOMPARE(file.contents().size(), 1);
    }
}

void TestHelp::resetTableIsCheckedBeforeUse_data()
{
    // The built file's table: version 2, three entries from offset 40, 58507 bytes in blocks of
    // 32 KB compressed to 25058 bytes; entries 0, 11462 and the end mark 25058.
    const QByteArray sound = QByteArray::fromHex("02000000030000000800000028000000" // version, count, offset
                                                 "8be4000000000000e261000000000000" // lengths
                                                 "0080000000000000"                 // block length
                                                 "0000000000000000c62c000000000000e261000000000000");
    QTest::addColumn<QByteArray>("table");
    QTest::addColumn<quint64>("contentLength");
    QTest::addColumn<bool>("sound");
    QTest::newRow("sound") << sound << quint64(25058) << true;
    QByteArray huge = sound;
    huge[39] = char(0x2a); // the block length of the file that made chmlib read past a block
    QTest::newRow("huge block length") << huge << quint64(25058) << false;
    QTest::newRow("content shorter than the compressed data") << sound << quint64(25057) << false;
    QByteArray back = sound;
    back[56] = char(0x10);
    back[57] = char(0x00); // the third block starts before the second
    QTest::newRow("block starts go back") << back << quint64(25058) << false;
    QByteArray few = sound;
    few[16] = char(0xff);
    few[18] = char(0x01); // 124,159 bytes would need four blocks
    QTest::newRow("too few blocks") << few << quint64(25058) << false;
    QTest::newRow("entries cut off") << sound.left(60) << quint64(25058) << false;
}

void TestHelp::resetTableIsCheckedBeforeUse()
{
    QFETCH(QByteArray, table);
    QFETCH(quint64, contentLength);
    QFETCH(bool, sound);
    const auto read = helpreader::readResetTable(reinterpret_cast<const unsigned char *>(table.constData()),
                                                 std::size_t(table.size()), contentLength);
    QCOMPARE(read.has_value(), sound);
    if (sound) {
        QCOMPARE(read->blockLength, quint64(0x8000));
        QCOMPARE(read->uncompressedLength, quint64(58507));
    }
}

void TestHelp::startButtonOpensProgramFolderFile()
{
    TestApp app;
    QVERIFY(QFile::copy(kBuiltHelp, app.path(QStringLiteral("帮助.chm"))));
    QTemporaryDir elsewhere;
    CurrentDir cwd(elsewhere.path()); // the start window does not depend on the working folder
    QVERIFY(app.shell().start());
    auto *exuse = findIn<QPushButton>(app.shell().startWindow(), "exuse");
    QVERIFY(exuse);
    QTest::mouseClick(exuse, Qt::LeftButton);
    waitForHelp(app);
    HelpViewer *viewer = app.shell().helpViewer();
    QVERIFY(viewer);
    QCOMPARE(QFileInfo(viewer->fileName()), QFileInfo(app.path(QStringLiteral("帮助.chm"))));
    QCOMPARE(viewer->browser()->documentTitle(), QStringLiteral("词帆使用说明"));
    // Pressing it again brings the same viewer forward.
    QTest::mouseClick(exuse, Qt::LeftButton);
    waitForHelp(app);
    QCOMPARE(app.shell().helpViewer(), viewer);
}

void TestHelp::f1FromEveryWorkingWindow_data()
{
    QTest::addColumn<int>("screenNumber");
    QTest::newRow("study") << int(shell::Screen::Study);
    QTest::newRow("practice") << int(shell::Screen::Practice);
    QTest::newRow("query") << int(shell::Screen::Query);
}

void TestHelp::f1FromEveryWorkingWindow()
{
    QFETCH(int, screenNumber);
    const auto screen = static_cast<shell::Screen>(screenNumber);
    TestApp app;
    QVERIFY(QFile::copy(kBuiltHelp, app.path(QStringLiteral("帮助.chm"))));
    CurrentDir cwd(app.dir());
    QVERIFY(app.shell().start());
    app.shell().switchTo(screen);
    TestApp::settle();
    shell::WorkWindow *window = app.shell().workWindow(screen);
    QVERIFY(window);
    pressF1(window);
    waitForHelp(app);
    HelpViewer *viewer = app.shell().helpViewer();
    QVERIFY2(viewer, qPrintable(app.ui().messageTexts().join(u'|')));
    QCOMPARE(QFileInfo(viewer->fileName()), QFileInfo(app.path(QStringLiteral("帮助.chm"))));
    QCOMPARE(viewer->browser()->documentTitle(), QStringLiteral("词帆使用说明"));
    // The menu entry does the same.
    viewer->close();
    TestApp::settle();
    QVERIFY(!app.shell().helpViewer());
    QAction *shuoming = findIn<QAction>(window, "shuoming");
    QVERIFY(shuoming);
    QCOMPARE(shuoming->text(), QStringLiteral("使用说明(F1)"));
    shuoming->trigger();
    waitForHelp(app);
    QVERIFY(app.shell().helpViewer());
}

void TestHelp::workingWindowsLookInTheWorkingFolder_data()
{
    QTest::addColumn<bool>("inWorkingFolder");
    QTest::addColumn<bool>("inProgramFolder");
    QTest::addColumn<QString>("opened"); // "working", "program" or "" (reported missing)
    QTest::newRow("working folder's copy first") << true << true << "working";
    QTest::newRow("only the working folder") << true << false << "working";
    // Started from the menu, the working folder is the home folder.
    QTest::newRow("falls back to the program folder") << false << true << "program";
    QTest::newRow("neither") << false << false << "";
}

void TestHelp::workingWindowsLookInTheWorkingFolder()
{
    QFETCH(bool, inWorkingFolder);
    QFETCH(bool, inProgramFolder);
    QFETCH(QString, opened);
    TestApp app;
    QTemporaryDir elsewhere;
    const QString working = QDir(elsewhere.path()).filePath(QStringLiteral("帮助.chm"));
    const QString program = app.path(QStringLiteral("帮助.chm"));
    if (inWorkingFolder)
        QVERIFY(QFile::copy(kBuiltHelp, working));
    if (inProgramFolder)
        QVERIFY(QFile::copy(kBuiltHelp, program));
    CurrentDir cwd(elsewhere.path());
    QVERIFY(app.shell().start());
    app.shell().switchTo(shell::Screen::Study);
    TestApp::settle();
    pressF1(app.shell().workWindow(shell::Screen::Study));
    waitForHelp(app);
    HelpViewer *viewer = app.shell().helpViewer();
    if (opened.isEmpty()) {
        QVERIFY(!viewer);
        QCOMPARE(app.ui().messages.size(), 1);
        const QString text = app.ui().messages.first().message.text;
        QVERIFY2(text.contains(program), qPrintable(text));
        QCOMPARE(app.ui().messages.first().parentName, QStringLiteral("xuexi"));
        return;
    }
    QVERIFY2(viewer, qPrintable(app.ui().messageTexts().join(u'|')));
    QCOMPARE(QFileInfo(viewer->fileName()),
             QFileInfo(opened == QLatin1String("working") ? working : program));
}

void TestHelp::theProgramGoesOnWhileTheReaderRuns_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<bool>("opens");
    QTest::newRow("the real reader") << QByteArray() << true;
    QTest::newRow("a reader that hangs") << QByteArray("exec sleep 30\n") << false;
    QTest::newRow("a reader that floods") << QByteArray("exec cat /dev/zero\n") << false;
}

// No event-loop turn waits on the reader while it works, hangs or floods; the new
// viewer says it is opening the file until the answer comes.
void TestHelp::theProgramGoesOnWhileTheReaderRuns()
{
    QFETCH(QByteArray, script);
    QFETCH(bool, opens);
    TestApp app;
    // Fonts and the viewer's first layout are loaded once per program, before the measurement.
    {
        auto warmFile = std::make_unique<shell::ChmFile>();
        QVERIFY(warmFile->open(kBuiltHelp));
        HelpViewer warm(std::move(warmFile));
        warm.show();
        TestApp::settle();
    }
    if (!script.isEmpty())
        shell::ChmFile::setReaderProgram(putReader(app, script, QFile::ReadOwner | QFile::ExeOwner));
    const auto restore = qScopeGuard([] { useBuiltHelpReader(); });
    const QString file = app.path(QStringLiteral("帮助.chm"));
    QVERIFY(QFile::copy(kBuiltHelp, file));
    GapProbe probe;
    QElapsedTimer clock;
    clock.start();
    app.shell().openHelp(nullptr, file);
    const qint64 call = clock.elapsed();
    HelpViewer *opening = app.shell().openingHelpViewer();
    QVERIFY(opening);
    QVERIFY(opening->isVisible());
    QCOMPARE(opening->browser()->toPlainText(), HelpViewer::loadingText());
    waitForHelp(app);
    const qint64 total = clock.elapsed();
    qInfo("open call %lld ms, answer after %lld ms, longest event-loop gap %lld ms", call, total,
          probe.longestGapMs());
    // A reader waited for on the GUI thread would stop the loop for its whole 2 s limit; the
    // bound sits far below that and far above what a loaded test machine adds to one turn.
    QVERIFY2(probe.longestGapMs() < GapProbe::kBlockedMs, qPrintable(QString::number(probe.longestGapMs())));
    QVERIFY(total < shell::helpprotocol::kTimeLimitMs + 1000);
    if (opens) {
        QVERIFY(app.shell().helpViewer());
        QCOMPARE(app.shell().helpViewer()->browser()->documentTitle(), QStringLiteral("词帆使用说明"));
    } else {
        QVERIFY(!app.shell().helpViewer());
        QCOMPARE(app.ui().messages.size(), 1);
        QVERIFY(app.ui().messages.first().message.text.contains(QStringLiteral("可能已经损坏")));
    }
}

void TestHelp::aReaderThatCannotRunIsNamed_data()
{
    QTest::addColumn<bool>("present");
    QTest::newRow("missing") << false;
    QTest::newRow("not executable") << true;
}

// A reader that is not there or may not be run has a message of its own, naming it; pressing
// F1 again and again costs no descriptor.
void TestHelp::aReaderThatCannotRunIsNamed()
{
    QFETCH(bool, present);
    TestApp app;
    QString reader = app.path(QStringLiteral("cifan-helpreader"));
    if (present)
        reader = putReader(app, "exit 0\n", QFile::ReadOwner | QFile::WriteOwner);
    shell::ChmFile::setReaderProgram(reader);
    const auto restore = qScopeGuard([] { useBuiltHelpReader(); });
    const QString file = app.path(QStringLiteral("帮助.chm"));
    QVERIFY(QFile::copy(kBuiltHelp, file));
    app.shell().openHelp(nullptr, file);
    waitForHelp(app);
    const int before = openDescriptors();
    for (int i = 0; i < 20; ++i) {
        app.shell().openHelp(nullptr, file);
        waitForHelp(app);
    }
    QCOMPARE(openDescriptors(), before);
    QVERIFY(!app.shell().helpViewer());
    QCOMPARE(app.ui().messages.size(), 21);
    const QString text = app.ui().messages.first().message.text;
    QVERIFY2(text.contains(QStringLiteral("帮助阅读程序")) && text.contains(reader), qPrintable(text));
    QVERIFY2(!text.contains(QStringLiteral("损坏")), qPrintable(text));
}

// A descriptor the program holds open without close-on-exec does not reach the reader.
void TestHelp::theReaderInheritsNoDescriptor()
{
    TestApp app;
    const int held = ::open("/dev/null", O_RDONLY);
    QVERIFY(held > 2);
    const auto closeHeld = qScopeGuard([held] { ::close(held); });
    const QString out = app.path(QStringLiteral("fds.txt"));
    const QByteArray script = "if [ -e /proc/$$/fd/" + QByteArray::number(held) +
                              " ]; then echo inherited; else echo closed; fi > '" + QFile::encodeName(out) +
                              "'\nexit 2\n";
    shell::ChmFile::setReaderProgram(putReader(app, script, QFile::ReadOwner | QFile::ExeOwner));
    const auto restore = qScopeGuard([] { useBuiltHelpReader(); });
    const QString file = app.path(QStringLiteral("帮助.chm"));
    QVERIFY(QFile::copy(kBuiltHelp, file));
    app.shell().openHelp(nullptr, file);
    waitForHelp(app);
    QFile result(out);
    QVERIFY(result.open(QIODevice::ReadOnly));
    QCOMPARE(result.readAll().trimmed(), QByteArray("closed"));
}

void TestHelp::theConfinedReaderMayOnlyReadAndReply_data()
{
    QTest::addColumn<QString>("then");
    QTest::addColumn<bool>("killed");
    QTest::newRow("reads its file and replies") << "reply" << false;
    QTest::newRow("opens another file") << "open" << true;
    QTest::newRow("opens a socket") << "socket" << true;
    QTest::newRow("writes to its file") << "write" << true;
    QTest::newRow("starts a program") << "exec" << true;
}

// The reader's own confinement, as it installs it once the help file is open: reading that
// file and writing the reply go on; anything else ends the process with SIGSYS.
void TestHelp::theConfinedReaderMayOnlyReadAndReply()
{
    QFETCH(QString, then);
    QFETCH(bool, killed);
    const QByteArray help = QFile::encodeName(kBuiltHelp);
    const QByteArray action = then.toLatin1();
    int pipeFds[2];
    QCOMPARE(::pipe(pipeFds), 0);
    const pid_t child = ::fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        ::dup2(pipeFds[1], STDOUT_FILENO);
        helpreader::closeDescriptorsAbove(STDERR_FILENO);
        const int fd = ::open(help.constData(), O_RDONLY);
        if (fd < 0 || !helpreader::forbidNewPrivileges() || !helpreader::confineToReading())
            ::_exit(3);
        char head[4];
        if (::pread(fd, head, sizeof head, 0) != 4 || ::write(STDOUT_FILENO, head, 4) != 4)
            ::_exit(4);
        if (action == "open")
            ::open("/etc/hostname", O_RDONLY);
        else if (action == "socket")
            ::socket(AF_INET, SOCK_STREAM, 0);
        else if (action == "write")
            (void)!::write(fd, head, 1);
        else if (action == "exec")
            ::execl("/bin/true", "true", static_cast<char *>(nullptr));
        ::_exit(0);
    }
    ::close(pipeFds[1]);
    char got[8] = {};
    const ssize_t n = ::read(pipeFds[0], got, sizeof got);
    ::close(pipeFds[0]);
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QCOMPARE(QByteArray(got, int(std::max<ssize_t>(n, 0))), QByteArray("ITSF"));
    if (killed) {
        QVERIFY2(WIFSIGNALED(status) && WTERMSIG(status) == SIGSYS, qPrintable(QString::number(status)));
    } else {
        QVERIFY2(WIFEXITED(status) && WEXITSTATUS(status) == 0, qPrintable(QString::number(status)));
    }
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"

// Qt's glyph loads reach the count, and under a budget a page of text leaves a fraction of the
// font pages resident that it leaves without one.
void TestHelp::aBudgetBoundsTheFontPagesOfAPageOfText()
{
    ui::releaseFontPages();
    const quint64 loads = ui::FontPageBudget::glyphLoads();
    drawHanzi(0x4E00, 300);
    QVERIFY2(ui::FontPageBudget::glyphLoads() - loads >= 300, "Qt does not call the program's FT_Load_Glyph");
    const int without = residentFontKb();
    ui::releaseFontPages();
    {
        const ui::FontPageBudget budget(16);
        drawHanzi(0x4E01, 300);
    }
    const int with = residentFontKb();
    // Budgets may end in any order: the smallest of those left is followed.
    auto outer = std::make_unique<ui::FontPageBudget>(4);
    {
        const ui::FontPageBudget inner(8);
        outer.reset();
        QCOMPARE(ui::FontPageBudget::current(), 8);
    }
    QCOMPARE(ui::FontPageBudget::current(), 0);
    QVERIFY2(without > 1024 && with * 2 < without,
             qPrintable(QStringLiteral("%1 kB, %2 kB").arg(with).arg(without)));
}
