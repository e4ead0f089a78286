// The query window's own behaviour: opening with the operating notes, the two display modes and
// their saved setting, the inputs and the default button, and the exit label.
#include "query/querywindow.h"

#include "shell/shell.h"
#include "ui/colors.h"
#include "ui/hoverlabel.h"
#include "ui/interaction.h"
#include "ui/settingsfile.h"
#include "ui/textcanvas.h"

#include <QAction>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace query {

namespace {

// The operating notes the print area opens with, in the design state: the print area still
// covers the headings.
void writeOperatingNotes(ui::TextCanvas &c)
{
    const QString indent10(10, u' ');
    const QString indent4(4, u' ');
    c.newLine();
    c.newLine();
    c.newLine();
    c.writeAt(35, QStringLiteral("操作简介"));
    c.newLine();
    c.writeLine(indent10 + QStringLiteral("当前为查询模式,可在此查询标准日本语初级单词。"));
    c.writeLine(
        indent10 +
        QStringLiteral("操作方法很简单，在相应的框里输入单词，然后回车便可以.    比如:如果要汉译日查询，"));
    c.writeLine(
        indent4 +
        QStringLiteral("就在“输入汉语”的框里输入中文意思，日译汉查询的话，在“输入日语”框里输入假名；"));
    c.writeLine(
        indent4 +
        QStringLiteral("如果单词包含当用汉字，则在“输入当汉”内输入.输完按回车，如果找到该单词，便会在"));
    c.writeLine(indent4 + QStringLiteral("下面打印，搜索全部词库后，便打印出“搜索完毕”。"));
    c.writeLine(indent10 + QStringLiteral("支持模糊查询."));
    c.writeLine(indent10 + QStringLiteral("操作极为简便."));
    c.writeLine(indent10 + QStringLiteral("输入单词后不要按tab键，不然，小心刚刚输入的单词不翼而飞。嘿嘿。"));
    c.newLine();
    c.writeLine(indent10 + QStringLiteral("以上只是基本说明，如果仔细阅读帮助文档的话,使用起来将更加方便。"));
    c.writeLine(QStringLiteral(
        "说明：只能查询标日初级的词汇,还有此功能不是电子词典，所以功能比较简单.要求不要太高啊."));
}

} // namespace

QueryWindow::QueryWindow(shell::Shell &shell, QWidget *parent)
    : WorkWindow(shell, shell::Screen::Query, parent)
{
    setObjectName(QStringLiteral("chaxun"));
    setWindowTitle(QStringLiteral("词帆  单词查询 "));
    createNavigation();
    // Sized once the menu bar holds its entries, so that the area below it keeps the design size.
    resizeClient(715, 481);
    createControls();
    pitchContoursChanged(pitchContoursShown());
}

void QueryWindow::prepare()
{
    WorkWindow::prepare();
    ui::rehearseWriting(*m_printArea, writeOperatingNotes);
}

void QueryWindow::pitchContoursChanged(bool shown)
{
    m_printArea->setPitchContoursShown(shown);
    m_detailArea->setPitchContoursShown(shown);
}

void QueryWindow::Form_Load()
{
    writeOperatingNotes(*m_printArea);

    // The saved display mode; anything but the number 2 (a quoted "2" is a text, not the number;
    // no file, or something other than a regular file, counts as none) is the print display.
    const auto mode =
        ui::SettingsLine::read(m_shell.settingsFileToRead(QStringLiteral("sous/cx.dll"))).number(0);
    if (mode && *mode == 2)
        m_listOption->setChecked(true);
    else
        m_printOption->setChecked(true);
    // The pop-up menu never offers the mode in use.
    m_printPopupItem->setVisible(!m_printOption->isChecked());
    m_listPopupItem->setVisible(m_printOption->isChecked());

    zhijieshuru();
}

bool QueryWindow::printDisplay() const
{
    return m_printOption->isChecked();
}

void QueryWindow::way1_Click()
{
    zhijieshuru();
    m_hitList->hide();
    m_slotMirror->hide();
    m_detailArea->hide();
    m_printArea->show();
    for (QLabel *h : m_headings)
        h->show();
    m_statusLine->clear();
    if (!m_fuzzyButton->isHidden()) {
        setDefaultButton(m_lookupButton);
        m_fuzzyButton->hide();
    }
    m_printPopupItem->setVisible(false);
    m_listPopupItem->setVisible(true);
}

void QueryWindow::way2_Click()
{
    zhijieshuru();
    for (QLabel *h : m_headings)
        h->hide();
    m_printArea->hide();
    m_slotMirror->show();
    m_hitList->show();
    m_detailArea->show();
    if (!m_fuzzyButton->isHidden()) {
        setDefaultButton(m_lookupButton);
        m_fuzzyButton->hide();
    }
    m_listPopupItem->setVisible(false);
    m_printPopupItem->setVisible(true);
}

void QueryWindow::Command1_Click()
{
    const long long mode = m_printOption->isChecked() ? 1 : 2;
    const QString path = m_shell.programPath(QStringLiteral("sous/cx.dll"));
    if (const ui::SaveResult saved = ui::writeSettingsFile(path, {ui::SettingsValue(mode)}); !saved) {
        m_shell.interaction().message(this,
                                      ui::Message{ui::Icon::Warning, ui::Buttons::Ok, QString(),
                                                  QStringLiteral("显示方式未能保存：无法写入文件 %1（%2）。")
                                                      .arg(QDir::toNativeSeparators(path), saved.cause())});
    } else {
        m_shell.settingsSaved(this);
    }
    m_meaningInput->setFocus();
}

QueryTexts QueryWindow::currentTexts() const
{
    return QueryTexts{m_meaningInput->text(), m_kanaInput->text(), m_kanjiInput->text()};
}

void QueryWindow::setDefaultButton(QPushButton *button)
{
    m_defaultButton = button;
    m_lookupButton->setDefault(button == m_lookupButton);
    m_fuzzyButton->setDefault(button == m_fuzzyButton);
}

void QueryWindow::pressDefault()
{
    if (m_defaultButton && m_defaultButton->isEnabled() && !m_defaultButton->isHidden())
        m_defaultButton->click();
}

void QueryWindow::input_Change()
{
    if (!m_fuzzyButton->isHidden())
        m_fuzzyButton->hide();
    m_lookupButton->setEnabled(true);
    setDefaultButton(m_lookupButton);
    if (!printDisplay()) {
        clearListHits();
        m_detailArea->clear();
        m_statusLine->clear();
    }
}

void QueryWindow::input_GotFocus(QLineEdit *input)
{
    input->selectAll();
    // One input at a time: moving to an input empties the others.
    for (QLineEdit *other : {m_meaningInput, m_kanaInput, m_kanjiInput}) {
        if (other != input && !other->text().isEmpty())
            other->clear();
    }
}

void QueryWindow::zhijieshuru()
{
    for (QLineEdit *input : {m_meaningInput, m_kanaInput, m_kanjiInput}) {
        if (!input->text().isEmpty()) {
            input->setFocus();
            input->setSelection(0, static_cast<int>(input->text().size()));
            return;
        }
    }
    m_meaningInput->setFocus();
    m_meaningInput->deselect();
}

void QueryWindow::Form_Click()
{
    zhijieshuru();
}

bool QueryWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Enter on the result list presses the default button, as it does in an input.
    if (watched == m_hitList && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            pressDefault();
            return true;
        }
    }
    return WorkWindow::eventFilter(watched, event);
}

void QueryWindow::Label3_MouseMove()
{
    m_exitLabel->showHover();
}

void QueryWindow::Form_MouseMove()
{
    m_exitLabel->showRest();
}

void QueryWindow::Label3_Click()
{
    m_shell.exitProgram();
}

} // namespace query
