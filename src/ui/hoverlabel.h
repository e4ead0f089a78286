#pragma once

#include "ui/activelabel.h"

#include <QColor>
#include <QString>

namespace ui {

class ShapeFrame;

// The exit label of a working window: one look while the mouse is over it and another once it
// moves on over the window. A look changes only what it names: a null text, or an invalid
// colour, leaves that part as it is.
class HoverLabel : public ActiveLabel
{
    Q_OBJECT

public:
    struct Look {
        QString text;
        QColor textColor;
        QColor fill;        // the label's own background
        QColor shapeBorder; // the shape drawn behind the label, when it has one
        QColor shapeFill;
    };

    HoverLabel(const QString &text, const Look &rest, const Look &hover, QWidget *parent = nullptr);

    // The shape behind the label whose colours the looks change too.
    void setShape(ShapeFrame *shape) { m_shape = shape; }

    void showHover() { apply(m_hover); }
    void showRest() { apply(m_rest); }

private:
    void apply(const Look &look);

    Look m_rest;
    Look m_hover;
    ShapeFrame *m_shape{nullptr};
};

} // namespace ui
