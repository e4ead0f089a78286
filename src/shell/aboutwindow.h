#pragma once

#include <QLineEdit>
#include <QWidget>

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
// offered for copying. Borderless; a double-click on its empty area, the frame or the motto
// closes it.
class AboutWindow : public QWidget
{
    Q_OBJECT

public:
    static const QString kWebAddress;
    static const QString kMailAddress;

    explicit AboutWindow(const QString &logoFile, QWidget *parent = nullptr);

Q_SIGNALS:
    // F1, which opens the help here as in every window.
    void helpRequested();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Label11_Click();
    void Label13_Click();
    static void offerText(QLineEdit *box);

    QFrame *m_frame1{nullptr};
    QLabel *m_label10{nullptr};
    SelectAllLineEdit *m_net1{nullptr};
    SelectAllLineEdit *m_mail{nullptr};
};

} // namespace shell
