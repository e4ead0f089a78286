#include "ui/hoverlabel.h"

#include "ui/colors.h"
#include "ui/shapeframe.h"

namespace ui {

HoverLabel::HoverLabel(const QString &text, const Look &rest, const Look &hover, QWidget *parent)
    : ActiveLabel(text, parent), m_rest(rest), m_hover(hover)
{
}

void HoverLabel::apply(const Look &look)
{
    if (!look.text.isNull())
        setText(look.text);
    if (look.textColor.isValid())
        setTextColor(this, look.textColor);
    if (look.fill.isValid())
        setFillColor(this, look.fill);
    if (m_shape && look.shapeBorder.isValid())
        m_shape->setBorderColor(look.shapeBorder);
    if (m_shape && look.shapeFill.isValid())
        m_shape->setFillColor(look.shapeFill);
}

} // namespace ui
