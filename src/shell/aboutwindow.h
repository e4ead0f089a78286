#pragma once

#include "ui/smallwindow.h"

#include <QLineEdit>

class QFrame;
class QLabel;

namespace ui {
class ActiveLabel;
}

namespace shell {

// A text box that selects its whole text whenever it is clicked, so an address is copied whole.
class SelectAllLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    using QLineEdit::QLineEdit;

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

// The about window `aboutme`: name, level, version and maker, with the maker's addresses
// offered for copying. Borderless; a double-click on its empty area, the frame, the motto or the
// hint "双击空白处退出" closes it.
class AboutWindow : public ui::SmallWindow
{
    Q_OBJECT

public:
    static const QString kWebAddress;
    static const QString kMailAddress;

    explicit AboutWindow(const QString &logoFile, QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Label11_Click();
    void Label13_Click();
    static void offerText(QLineEdit *box);

    QFrame *m_detailsFrame{nullptr};
    QLabel *m_motto{nullptr};
    QLabel *m_hint{nullptr};
    SelectAllLineEdit *m_webBox{nullptr};
    SelectAllLineEdit *m_mailBox{nullptr};
};

} // namespace shell
