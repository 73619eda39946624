#include "app/textstart.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QTimer>

void MoveCaretToStart(QLineEdit *field)
{
    const int length = static_cast<int>(field->text().size());
    // A whole-text selection stays, with the caret at its start.
    if (length > 0 && field->selectionStart() == 0 && field->selectionLength() == length)
        field->setSelection(length, -length);
    else
        field->setCursorPosition(0);
}

namespace {

// What the user does to a field directly; a caret that moves meanwhile moves for the user.
bool IsUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
    case QEvent::InputMethod:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
    case QEvent::Drop:
    case QEvent::FocusIn:
    case QEvent::ContextMenu:
        return true;
    default:
        return false;
    }
}

// Qt reports a user's edit (textEdited) right before the change itself (textChanged); any other change came from
// code. Setting the same text again changes nothing but moves the caret to the end, so a caret that jumps to the
// end outside the user's own input is sent back too. In the field the user is in, the caret stays where Qt puts
// it, so that typing goes on after the text.
class CaretAtStart : public QObject
{
public:
    CaretAtStart(QLineEdit *field, QWidget *owner)
        : QObject(field)
        , m_field(field)
        , m_owner(owner)
    {
        field->installEventFilter(this);
        if (owner)
            owner->installEventFilter(this);
        connect(field, &QLineEdit::textEdited, this, [this] {
            m_edited = true;
            noteInput();
        });
        connect(field, &QLineEdit::textChanged, this, [this] {
            if (!m_edited && !userIsIn())
                MoveCaretToStart(m_field);
            m_edited = false;
        });
        connect(field, &QLineEdit::cursorPositionChanged, this, [this](int, int now) {
            if (!m_input && now > 0 && now == m_field->text().size() && !userIsIn())
                MoveCaretToStart(m_field);
        });
        MoveCaretToStart(field);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (IsUserInput(event->type()))
            noteInput();
        return QObject::eventFilter(watched, event);
    }

private:
    bool userIsIn() const { return m_field->hasFocus() || (m_owner && m_owner->hasFocus()); }

    // Holds until the event loop takes the next event.
    void noteInput()
    {
        if (m_input)
            return;
        m_input = true;
        QTimer::singleShot(0, this, [this] { m_input = false; });
    }

    QLineEdit *m_field;
    QWidget *m_owner;
    bool m_edited = false;
    bool m_input = false;
};

} // namespace

void ShowCodeTextFromStart(QLineEdit *field, QWidget *owner)
{
    new CaretAtStart(field, owner);
}

void ShowCodeTextsFromStart(QWidget *root)
{
    const auto fields = root->findChildren<QLineEdit *>();
    for (QLineEdit *field : fields) {
        QWidget *parent = field->parentWidget();
        if (!qobject_cast<QComboBox *>(parent) && !qobject_cast<QAbstractSpinBox *>(parent))
            ShowCodeTextFromStart(field);
    }
}
