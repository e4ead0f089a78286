#pragma once

#include <QColor>
#include <QWidget>

namespace ui {

// A filled rounded rectangle with a border, drawn behind a label.
class ShapeFrame : public QWidget
{
    Q_OBJECT

public:
    explicit ShapeFrame(QWidget *parent = nullptr);

    void setBorderColor(const QColor &color);
    void setFillColor(const QColor &color);
    QColor borderColor() const { return m_border; }
    QColor fillColor() const { return m_fill; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_border;
    QColor m_fill;
};

} // namespace ui
