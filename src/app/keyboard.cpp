// Keys a Windows dialog has and Qt's widgets lack, and the labels that name the controls for screen readers.
#include "app/mainform.h"

#include <QKeyEvent>
#include <QShortcut>

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

bool IsInputControl(const QWidget *widget)
{
    if (qobject_cast<const QComboBox *>(widget) || qobject_cast<const QAbstractSpinBox *>(widget))
        return true;
    // The fields inside combo boxes and pickers are parts of those.
    return qobject_cast<const QLineEdit *>(widget) && !IsInputControl(widget->parentWidget());
}

// The form puts each label to the left of its control on the same row, except the column headings of the timer,
// which stand right above their pickers with the same left edge; the row's own label then names no picker.
void LinkLabelsToControls(QWidget *root)
{
    const auto labels = root->findChildren<QLabel *>();
    QList<QPair<QLabel *, QWidget *>> beside;
    QList<const QWidget *> headed;
    for (QLabel *label : labels) {
        const QRect caption = label->geometry();
        QWidget *right = nullptr;
        QWidget *below = nullptr;
        const auto siblings = label->parentWidget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        for (QWidget *sibling : siblings) {
            if (!IsInputControl(sibling))
                continue;
            const QRect box = sibling->geometry();
            const bool sameRow = box.top() <= caption.bottom() && box.bottom() >= caption.top();
            if (sameRow && box.left() > caption.left() && (!right || box.left() < right->x()))
                right = sibling;
            const bool justBelow = box.top() > caption.bottom() && box.top() - caption.bottom() <= box.height();
            if (box.left() == caption.left() && justBelow)
                below = sibling;
        }
        if (right) {
            beside.append({ label, right });
        } else if (below) {
            label->setBuddy(below);
            headed.append(below);
        }
    }
    for (const auto &[label, control] : std::as_const(beside)) {
        if (!headed.contains(control))
            label->setBuddy(control);
    }
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

    const auto addShortcut = [this](std::initializer_list<QKeySequence> keys, std::function<void()> action) {
        auto *shortcut = new QShortcut(this);
        shortcut->setKeys(keys);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, std::move(action));
    };
    // The buttons' own click, so the keys run Save and Load exactly as the mouse does. Spelled out rather than
    // QKeySequence::Save and ::Open, whose keys a desktop's platform theme may change.
    addShortcut({ QKeySequence(Qt::CTRL | Qt::Key_S) }, [this] { Button3->click(); });
    addShortcut({ QKeySequence(Qt::CTRL | Qt::Key_O) }, [this] { Button1->click(); });

    // QTabWidget turns its pages with Ctrl+Tab only while the focus is on a page, and never with Ctrl+PageDown.
    const auto turnPage = [this](int step) {
        const int count = PageControl1->count();
        PageControl1->setCurrentIndex((PageControl1->currentIndex() + step + count) % count);
    };
    addShortcut({ QKeySequence(Qt::CTRL | Qt::Key_PageDown), QKeySequence(Qt::CTRL | Qt::Key_Tab) },
        [turnPage] { turnPage(1); });
    addShortcut({ QKeySequence(Qt::CTRL | Qt::Key_PageUp), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
                    QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab) },
        [turnPage] { turnPage(-1); });

    // Screen readers announce a control by its label's caption; the captions have no "&", so nothing shows.
    LinkLabelsToControls(this);
}
