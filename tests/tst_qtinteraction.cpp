// The real modal layer: its message boxes are shown, read and answered by clicking their buttons.
#include "testapp.h"
#include "ui/qtinteraction.h"
#include "ui/qttranslation.h"
#include "ui/windowplacement.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#include <functional>

namespace {

struct SeenBox {
    QString title;
    QString text;
    QStringList buttons; // captions, in the box's own order
    QString defaultButton;
    Qt::WindowFlags flags;
};

// Waits for the message box to open, records it, then clicks the button captioned answer.
void answerWhenShown(SeenBox &seen, const QString &answer)
{
    auto *poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, &seen, answer] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.flags = box->windowFlags();
        for (QAbstractButton *b : box->buttons())
            seen.buttons << b->text();
        if (box->defaultButton())
            seen.defaultButton = box->defaultButton()->text();
        for (QAbstractButton *b : box->buttons()) {
            if (b->text() == answer) {
                QTest::mouseClick(b, Qt::LeftButton);
                return;
            }
        }
        box->reject(); // no such button: end the box so the test fails instead of hanging
    });
    poll->start();
}

} // namespace

class TestQtInteraction : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void yesNoBoxOffersChineseAnswers_data()
    {
        QTest::addColumn<QString>("click");
        QTest::addColumn<int>("answer");
        QTest::newRow("是") << QStringLiteral("是") << int(ui::Answer::Yes);
        QTest::newRow("否") << QStringLiteral("否") << int(ui::Answer::No);
    }
    void yesNoBoxOffersChineseAnswers()
    {
        QFETCH(QString, click);
        QFETCH(int, answer);
        QWidget owner;
        owner.show();
        ui::QtInteraction modal;
        SeenBox seen;
        answerWhenShown(seen, click);
        const ui::Answer got =
            modal.message(&owner, ui::Message{ui::Icon::Warning, ui::Buttons::YesNo, QStringLiteral("提醒"),
                                              QStringLiteral("继续?")});
        QCOMPARE(int(got), answer);
        QCOMPARE(seen.title, QStringLiteral("提醒"));
        QCOMPARE(seen.text, QStringLiteral("继续?"));
        QStringList buttons = seen.buttons;
        buttons.sort();
        QStringList expected{QStringLiteral("是"), QStringLiteral("否")};
        expected.sort();
        QCOMPARE(buttons, expected);
        QCOMPARE(seen.defaultButton, QStringLiteral("是"));
        // Minimised, a box would take the window it blocks along; it can only be answered or closed.
        QVERIFY(seen.flags.testFlag(Qt::CustomizeWindowHint));
        QVERIFY(seen.flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!(seen.flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    }

    void modalWindowsHaveNoMinimiseOrMaximiseButton_data()
    {
        QTest::addColumn<bool>("dialog");
        QTest::addColumn<bool>("frameless");
        QTest::newRow("dialog") << true << false;
        QTest::newRow("window") << false << false;
        QTest::newRow("frameless window") << false << true;
    }
    void modalWindowsHaveNoMinimiseOrMaximiseButton()
    {
        QFETCH(bool, dialog);
        QFETCH(bool, frameless);
        QWidget owner;
        owner.show();
        QWidget *modal = dialog ? new QDialog(&owner) : new QWidget(&owner, Qt::Window);
        if (frameless)
            modal->setWindowFlag(Qt::FramelessWindowHint);
        Qt::WindowFlags seen;
        QTimer::singleShot(50, modal, [modal, &seen] {
            seen = modal->windowFlags();
            modal->close();
        });
        ui::QtInteraction().showModal(modal);
        QVERIFY((seen & Qt::WindowType_Mask) == Qt::Dialog);
        QVERIFY(!(seen & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(seen.testFlag(Qt::FramelessWindowHint), frameless);
        if (!frameless)
            QVERIFY(seen.testFlag(Qt::WindowCloseButtonHint));
        delete modal;
    }

    // A box or dialog gets its own native window before it appears (to be placed, or readied
    // ahead); the window it belongs to keeps its children drawn in its own native window.
    void dialogsLeaveTheirOwnersChildrenAlone_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("message box") << "message";
        QTest::newRow("dialog readied, then shown") << "prepared";
        QTest::newRow("dialog placed over its owner") << "placed";
    }
    void dialogsLeaveTheirOwnersChildrenAlone()
    {
        QFETCH(QString, how);
        QWidget owner;
        auto *surface = new QWidget(&owner);
        auto *inner = new QWidget(surface);
        owner.resize(300, 200);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        ui::QtInteraction interaction;
        if (how == QLatin1String("message")) {
            SeenBox seen;
            answerWhenShown(seen, QStringLiteral("确定"));
            interaction.message(&owner,
                                ui::Message{ui::Icon::None, ui::Buttons::Ok, QString(), QStringLiteral("x")});
            QCOMPARE(seen.text, QStringLiteral("x"));
        } else {
            QDialog dialog(&owner);
            dialog.resize(120, 80);
            if (how == QLatin1String("prepared")) {
                interaction.prepareModal(&dialog);
                QVERIFY(!dialog.isVisible());
                QVERIFY(dialog.windowHandle());
            } else {
                ui::centreOverOwner(&dialog, &owner);
            }
            const Qt::WindowFlags before = dialog.windowFlags();
            QWindow *handle = dialog.windowHandle();
            Qt::WindowFlags seen;
            bool sameWindow = false;
            QTimer::singleShot(50, &dialog, [&] {
                seen = dialog.windowFlags();
                sameWindow = dialog.windowHandle() == handle;
                dialog.accept();
            });
            interaction.showModal(&dialog);
            if (how == QLatin1String("prepared")) {
                // Readied as showModal frames it: shown in the native window made ahead.
                QCOMPARE(seen, before);
                QVERIFY(sameWindow);
            }
        }
        for (QWidget *child : {surface, inner})
            QVERIFY(!child->internalWinId() && !child->testAttribute(Qt::WA_NativeWindow));
    }

    void lineFeedCarriageReturnIsOneLineBreak()
    {
        QWidget owner;
        owner.show();
        ui::QtInteraction modal;
        SeenBox seen;
        answerWhenShown(seen, QStringLiteral("否"));
        modal.message(&owner, ui::Message{ui::Icon::Warning, ui::Buttons::YesNo, QStringLiteral("提醒"),
                                          QStringLiteral("第一行\n\r第二行\r\n第三行\n第四行")});
        QCOMPARE(seen.text, QStringLiteral("第一行\n第二行\n第三行\n第四行"));
    }

    void inputPromptLinesAreSeparatedOnce()
    {
        // The buttons are Qt's own, in Chinese when its translations are installed.
        const bool chinese = ui::loadQtTranslations() != nullptr;
        TestApp app;
        QWidget owner;
        owner.show();
        ui::QtInteraction modal;
        QString seenLabel;
        QString seenTitle;
        QString seenButtons;
        auto *poll = new QTimer;
        poll->setInterval(10);
        QObject::connect(poll, &QTimer::timeout, poll, [poll, &seenLabel, &seenTitle, &seenButtons] {
            auto *dialog = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible())
                return;
            poll->stop();
            poll->deleteLater();
            seenLabel = dialog->labelText();
            seenTitle = dialog->windowTitle();
            seenButtons = dialog->okButtonText() + u'/' + dialog->cancelButtonText();
            dialog->setTextValue(QStringLiteral("5"));
            dialog->accept();
        });
        poll->start();
        const auto typed = modal.input(&owner, QStringLiteral("第1步：\r\n\r\n请输入"),
                                       QStringLiteral("修改"), QStringLiteral("3"));
        QCOMPARE(typed, std::optional<QString>(QStringLiteral("5")));
        QCOMPARE(seenTitle, QStringLiteral("修改"));
        QCOMPARE(seenLabel, QStringLiteral("第1步：\n\n请输入"));
        QCOMPARE(seenButtons, chinese ? QStringLiteral("确定/取消") : QStringLiteral("OK/Cancel"));
    }

    void okBoxSaysQueding()
    {
        QWidget owner;
        owner.show();
        ui::QtInteraction modal;
        SeenBox seen;
        answerWhenShown(seen, QStringLiteral("确定"));
        const ui::Answer got = modal.message(
            &owner, ui::Message{ui::Icon::Information, ui::Buttons::Ok, QString(), QStringLiteral("好")});
        QCOMPARE(got, ui::Answer::Ok);
        QCOMPARE(seen.title, ui::kAppTitle);
        QCOMPARE(seen.buttons, QStringList{QStringLiteral("确定")});
    }

    void colourDialogSpeaksChinese()
    {
        if (!ui::loadQtTranslations())
            QSKIP("Qt's Chinese translations (qt6-translations-l10n) are not installed");
        TestApp app; // puts them into use, as the program does
        QWidget owner;
        owner.show();
        QString seenTitle;
        QStringList seenTexts;
        auto *poll = new QTimer;
        poll->setInterval(10);
        QObject::connect(poll, &QTimer::timeout, poll, [&, poll] {
            auto *box = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            poll->deleteLater();
            seenTitle = box->windowTitle();
            for (const QAbstractButton *b : box->findChildren<QAbstractButton *>())
                seenTexts << b->text();
            for (const QLabel *l : box->findChildren<QLabel *>())
                seenTexts << l->text();
            box->reject();
        });
        poll->start();
        QVERIFY(!ui::QtInteraction().color(&owner, Qt::red));
        QCOMPARE(seenTitle, QStringLiteral("选择颜色"));
        for (const char *text : {"基本颜色(&B)", "确定", "取消"})
            QVERIFY2(seenTexts.contains(QString::fromUtf8(text)), qPrintable(seenTexts.join(u'|')));
    }

    void missingTranslationsLeaveQtAsItIs()
    {
        QTemporaryDir empty;
        QVERIFY(!ui::loadQtTranslations(empty.path()));
    }
};

QTEST_MAIN(TestQtInteraction)
#include "tst_qtinteraction.moc"
