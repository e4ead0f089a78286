#include "study/studywindow.h"

#include "shell/shell.h"
#include "study/studysettings.h"
#include "study/wordlistview.h"
#include "ui/interaction.h"
#include "ui/textcanvas.h"

#include <QAction>
#include <QPushButton>
#include <QRadioButton>

// The study window's display settings: the saved view mode and list order, and the text colour
// of the print view with its save and reset commands.
namespace study {

void StudyWindow::tellNotSaved(const QString &text)
{
    m_shell.interaction().message(this, ui::Message{ui::Icon::Warning, ui::Buttons::Ok, QString(), text});
}

void StudyWindow::cmdmoren_Click()
{
    const auto mode = m_listOption->isChecked() ? settings::ViewMode::List : settings::ViewMode::Print;
    if (const ui::SaveResult saved = settings::writeViewMode(settingsPath(settings::kViewModeFile), mode);
        !saved)
        tellNotSaved(QStringLiteral("显示方式没有保存：无法写入文件 sous/xx.dll（%1）。\n"
                                    "本次仍按所选方式显示，下次打开时不会保留。")
                         .arg(saved.cause()));
    else
        m_shell.settingsSaved(this);
    focusLessonBox();
}

void StudyWindow::Command1_Click()
{
    if (const ui::SaveResult saved =
            settings::writeListOrder(settingsPath(settings::kListOrderFile), m_listView->order());
        !saved)
        tellNotSaved(QStringLiteral("排列方式没有保存：无法写入文件 sous/mod.dll（%1）。\n"
                                    "本次仍按所选方式排列，下次打开时不会保留。")
                         .arg(saved.cause()));
    else
        m_shell.settingsSaved(this);
}

void StudyWindow::setcolor_Click()
{
    // A cancelled dialog leaves the colour the dialog started from; the command goes on as after
    // a choice: the save is offered and the view redrawn.
    const auto color = m_shell.interaction().color(this, m_printArea->textColor());
    if (color)
        m_printArea->setTextColor(*color);
    m_saveColorButton->setVisible(true);
    m_defaultColorItem->setVisible(true);
    redraw();
}

void StudyWindow::savecolor_Click()
{
    if (const ui::SaveResult saved =
            settings::writeTextColor(settingsPath(settings::kColorFile), m_printArea->textColor());
        !saved) {
        // The button stays, so the user can try again once the folder is writable.
        tellNotSaved(QStringLiteral("颜色没有保存：无法写入文件 sous/xxclr.dll（%1）。\n"
                                    "本次仍使用所选颜色，下次打开时不会保留。")
                         .arg(saved.cause()));
        return;
    }
    m_shell.settingsSaved(this);
    m_saveColorButton->setVisible(false);
    m_defaultColorItem->setVisible(false);
}

void StudyWindow::defaultcolor_Click()
{
    m_saveColorButton->setVisible(false);
    m_printArea->setTextColor(kDefaultTextColor);
    if (!settings::removeSettingsFile(settingsPath(settings::kColorFile)))
        tellNotSaved(QStringLiteral("无法删除文件 sous/xxclr.dll：默认颜色只在本次使用，"
                                    "下次打开时仍使用保存的颜色。"));
    redraw();
}

void StudyWindow::redraw()
{
    if (m_printOption->isChecked())
        start_Click();
    else if (m_listOption->isChecked())
        startlist_Click();
}

} // namespace study
