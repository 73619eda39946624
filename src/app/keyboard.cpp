// Keys a Windows dialog has and Qt's widgets lack.
#include "app/mainform.h"

#include <QKeyEvent>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <utility>

namespace {

// Hands the key presses of the objects it watches to `handle`, which eats those it returns true for.
class KeyPressFilter : public QObject
{
public:
    KeyPressFilter(QObject *parent, std::function<bool(QObject *, const QKeyEvent *)> handle)
        : QObject(parent)
        , m_handle(std::move(handle))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress && m_handle(watched, static_cast<const QKeyEvent *>(event)))
            return true;
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<bool(QObject *, const QKeyEvent *)> m_handle;
};

// Left and Right step between the fields of a picker, as in a Windows time picker, without leaving it.
void StepSection(QDateTimeEdit *picker, bool right)
{
    const bool forward = right != (picker->layoutDirection() == Qt::RightToLeft);
    const int section
        = std::clamp(picker->currentSectionIndex() + (forward ? 1 : -1), 0, std::max(0, picker->sectionCount() - 1));
    picker->setSelectedSection(picker->sectionAt(section));
}

} // namespace

void Tmainform1::InstallKeyboard()
{
    // A picker passes Tab on at once; QDateTimeEdit would step through its fields first.
    auto *pickerKeys = new KeyPressFilter(this, [this](QObject *watched, const QKeyEvent *key) {
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
            && !(modifiers & (Qt::ControlModifier | Qt::AltModifier))) {
            focusNextPrevChild(key->key() == Qt::Key_Tab && !(modifiers & Qt::ShiftModifier));
            return true;
        }
        if ((key->key() == Qt::Key_Left || key->key() == Qt::Key_Right) && modifiers == Qt::NoModifier) {
            StepSection(static_cast<QDateTimeEdit *>(watched), key->key() == Qt::Key_Right);
            return true;
        }
        return false;
    });
    for (QDateTimeEdit *picker :
        std::initializer_list<QDateTimeEdit *> { DateTimePicker1, DateTimePicker2, DateTimePicker3, DateTimePicker4 })
        picker->installEventFilter(pickerKeys);
}
