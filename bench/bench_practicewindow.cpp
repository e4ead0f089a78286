// What the user waits for in the practice window (offscreen): "出题" with the word put on the
// labels, and "验证" with a right answer, which draws and shows the next word at once.
#include "app/programwindows.h"
#include "lexicon/lessontable.h"
#include "practice/practicewindow.h"
#include "shell/shell.h"
#include "ui/interaction.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

// A modal layer that shows nothing: the range is set directly, no message comes up in a right
// answer or an ordinary draw (the end-of-range message is answered at once).
class SilentInteraction final : public ui::Interaction
{
public:
    ui::Answer message(QWidget *, const ui::Message &) override { return ui::Answer::Ok; }
    std::optional<QString> input(QWidget *, const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    std::optional<QColor> color(QWidget *, const QColor &) override { return std::nullopt; }
    void beep() override {}
    void showModal(QWidget *) override {}
};

struct OpenPractice {
    QTemporaryDir dir;
    SilentInteraction interaction;
    shell::Shell shell{dir.path(), interaction, [](int) {}};
    practice::PracticeWindow *window = nullptr;

    explicit OpenPractice(bool random)
    {
        shell.setWindowFactory(app::buildProgramWindow);
        shell.switchTo(shell::Screen::Practice);
        window = static_cast<practice::PracticeWindow *>(shell.workWindow(shell::Screen::Practice));
        window->session().setRange(*ciku::practiceRangeFor(u"whole"));
        if (random)
            window->findChild<QAbstractButton *>(QStringLiteral("suiji"))->click();
    }
    QPushButton *button(const char *name) const
    {
        return window->findChild<QPushButton *>(QString::fromLatin1(name));
    }
};

void drawOnScreen(benchmark::State &state, bool random)
{
    OpenPractice p(random);
    QPushButton *begin = p.button("begin");
    for (auto _ : state)
        begin->click();
}

void BM_DrawOnScreenInOrder(benchmark::State &state)
{
    drawOnScreen(state, false);
}
void BM_DrawOnScreenAtRandom(benchmark::State &state)
{
    drawOnScreen(state, true);
}

void BM_RightAnswerAndNextOnScreen(benchmark::State &state)
{
    OpenPractice p(state.range(0) != 0);
    p.button("begin")->click();
    auto *input = p.window->findChild<QLineEdit *>(QStringLiteral("txtinput"));
    auto *kana = p.window->findChild<QLabel *>(QStringLiteral("japan"));
    QPushButton *check = p.button("check");
    for (auto _ : state) {
        input->setText(kana->text());
        check->click();
    }
}

} // namespace

BENCHMARK(BM_DrawOnScreenInOrder);
BENCHMARK(BM_DrawOnScreenAtRandom);
BENCHMARK(BM_RightAnswerAndNextOnScreen)->Arg(0)->Arg(1);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
