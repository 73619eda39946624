#include "app/focusedwheel.h"

#include <QEvent>
#include <QWidget>

namespace {

class FocusedWheel : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Wheel || static_cast<QWidget *>(watched)->hasFocus())
            return false;
        // Ignored, it goes on to the parents, none of which does anything with it.
        event->ignore();
        return true;
    }
};

} // namespace

void TakeWheelOnlyWithFocus(QWidget *control)
{
    control->setFocusPolicy(Qt::StrongFocus);
    control->installEventFilter(new FocusedWheel(control));
}
