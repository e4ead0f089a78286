#include "record/progresswindow.h"

#include "record/learningrecord.h"
#include "record/progresscanvas.h"
#include "record/retention.h"
#include "ui/interaction.h"

#include <QDir>
#include <QDoubleSpinBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace record {

ProgressWindow::ProgressWindow(LearningRecord &record, ui::Interaction &interaction, QWidget *parent)
    : QWidget(parent, Qt::Window), m_record(record), m_interaction(interaction)
{
    setObjectName(QStringLiteral("jilu"));
    setWindowTitle(QStringLiteral("词帆-学习记录"));
    setAttribute(Qt::WA_DeleteOnClose, false);

    m_canvas = new ProgressCanvas(this);
    auto *retentionLabel = new QLabel(QStringLiteral("期望记忆率（到期时预计还记得的把握）："), this);
    m_retention = new QDoubleSpinBox(this);
    m_retention->setObjectName(QStringLiteral("retention"));
    m_retention->setRange(kMinRetention, kMaxRetention);
    m_retention->setSingleStep(0.01);
    m_retention->setDecimals(2);
    m_retention->setToolTip(QStringLiteral("越高复习越勤，0.80～0.97，默认 0.90"));
    retentionLabel->setBuddy(m_retention);
    m_export = new QPushButton(QStringLiteral("导出…"), this);
    m_export->setObjectName(QStringLiteral("daochu"));
    m_export->setToolTip(QStringLiteral("把每一次答题写成 CSV 文件（UTF-8）"));
    m_close = new QPushButton(QStringLiteral("关闭"), this);
    m_close->setObjectName(QStringLiteral("guanbi"));

    auto *controls = new QHBoxLayout;
    controls->addWidget(retentionLabel);
    controls->addWidget(m_retention);
    controls->addStretch(1);
    controls->addWidget(m_export);
    controls->addWidget(m_close);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(m_canvas, 1);
    layout->addLayout(controls);

    connect(m_retention, &QDoubleSpinBox::valueChanged, this, &ProgressWindow::retention_Change);
    connect(m_export, &QPushButton::clicked, this, &ProgressWindow::daochu_Click);
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);

    // The design size, made smaller on a screen that cannot hold it (the picture scales).
    QSize size(ProgressCanvas::kDesignWidth + 16, ProgressCanvas::kDesignHeight + 56);
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QSize room = screen->availableGeometry().size() * 0.92;
        size = size.boundedTo(room);
    }
    resize(size);
    refresh();
}

const ProgressSummary &ProgressWindow::summary() const
{
    return m_canvas->summary();
}

void ProgressWindow::refresh()
{
    const ProgressSummary summary = m_record.summary(this);
    {
        const QSignalBlocker block(m_retention);
        m_retention->setValue(summary.desiredRetention);
    }
    m_canvas->setSummary(summary);
}

void ProgressWindow::retention_Change(double value)
{
    if (!m_record.setDesiredRetention(value)) {
        m_interaction.message(this, ui::Message{ui::Icon::Warning, ui::Buttons::Ok, QString(),
                                                QStringLiteral("无法保存期望记忆率的设置。")});
    }
    refresh();
}

void ProgressWindow::daochu_Click()
{
    const QString suggested = QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                                  .filePath(QStringLiteral("学习记录.csv"));
    const auto chosen = m_interaction.saveFileName(this, QStringLiteral("导出学习记录"), suggested,
                                                   QStringLiteral("CSV 文件 (*.csv)"));
    if (!chosen)
        return;
    const bool written = m_record.ensureOpen(this) && m_record.store().exportCsv(*chosen);
    const QString text = written
                             ? QStringLiteral("已导出 %1 次答题到：\n").arg(m_record.store().answerCount()) +
                                   QDir::toNativeSeparators(*chosen)
                             : QStringLiteral("无法写入文件：\n") + QDir::toNativeSeparators(*chosen);
    m_interaction.message(this, ui::Message{written ? ui::Icon::Information : ui::Icon::Warning,
                                            ui::Buttons::Ok, QString(), text});
}

} // namespace record
