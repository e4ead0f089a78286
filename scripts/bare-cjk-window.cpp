// The reference for the start-up comparison: a bare Qt 6 window with one CJK label, nothing else.
#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QLabel label(QStringLiteral("欢迎使用词帆 日本語の単語"));
    label.setAlignment(Qt::AlignCenter);
    label.resize(480, 160);
    label.show();
    return QApplication::exec();
}
