#pragma once

#include <QObject>

namespace ui {

// Gives each window its pixel buffer as it is shown, and brings the buffer's pages in at once,
// so that the window's first paint writes to memory that is already there. Installed on the
// application.
class WindowBufferPreparer : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace ui
