#include "app/combobox.h"

#include "app/textstart.h"

#include <QAbstractItemView>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyleOptionComboBox>
#include <QWheelEvent>

#include <algorithm>
#include <functional>
#include <utility>

namespace {

bool isEnterKey(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    const int key = static_cast<const QKeyEvent *>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// The characters an event types in, if it does.
QString typedText(const QEvent *event)
{
    if (event->type() == QEvent::KeyPress)
        return static_cast<const QKeyEvent *>(event)->text();
    if (event->type() == QEvent::InputMethod)
        return static_cast<const QInputMethodEvent *>(event)->commitString();
    return {};
}

// QLineEdit announces an edit (textEdited) in the middle of the key press, before anything after it has run; this
// field reports each user edit once, when the event that made it has been handled completely.
class EditField : public QLineEdit
{
public:
    EditField(QWidget *parent, std::function<void(bool typed)> onUserEdit)
        : QLineEdit(parent)
        , m_onUserEdit(std::move(onUserEdit))
    {
        connect(this, &QLineEdit::textEdited, this, [this] {
            if (m_edited)
                return;
            m_edited = true;
            // Not inside one of our events (a slot such as paste() called directly): settle it afterwards.
            if (m_depth == 0)
                QMetaObject::invokeMethod(
                    this, [this] { settleEdit(false); }, Qt::QueuedConnection);
        });
    }

protected:
    bool event(QEvent *event) override
    {
        // Enter neither selects nor inserts here, and must not reach a dialog's default button either.
        if (isEnterKey(event)) {
            event->accept();
            return true;
        }
        // Only typing completes: a paste, a deletion or an undo leaves the text as the user made it. Shortcuts such
        // as Ctrl+V may carry a letter too, hence the comparison of the outcome rather than a look at the key.
        const QString typed = typedText(event);
        const QString typedOutcome = typed.isEmpty() ? QString() : withTyped(typed);
        ++m_depth;
        const bool handled = QLineEdit::event(event);
        --m_depth;
        if (m_depth == 0)
            settleEdit(!typed.isEmpty() && text() == typedOutcome);
        return handled;
    }

private:
    QString withTyped(const QString &typed) const
    {
        const int start = hasSelectedText() ? selectionStart() : cursorPosition();
        return text().replace(start, selectionLength(), typed);
    }

    void settleEdit(bool typed)
    {
        if (!m_edited)
            return;
        m_edited = false;
        m_onUserEdit(typed);
    }

    std::function<void(bool typed)> m_onUserEdit;
    int m_depth = 0;
    bool m_edited = false;
};

} // namespace

TComboBox::TComboBox(QWidget *parent)
    : QComboBox(parent)
{
    auto *field = new EditField(this, [this](bool typed) { takeUserEdit(typed); });
    setLineEdit(field);
    ShowCodeTextFromStart(field, this);
    // Qt's inline completion keeps the case of the typed letters; ours shows the item as it is written.
    setCompleter(nullptr);
    // On focus-out and Enter QComboBox looks the text up, selects the item it finds and reports that as activated,
    // even with NoInsert: tabbing past a box at -1 showing "OFF" would select "OFF". The index follows edits here.
    disconnect(field, &QLineEdit::editingFinished, nullptr, nullptr);
    disconnect(field, &QLineEdit::returnPressed, nullptr, nullptr);
    setInsertPolicy(QComboBox::NoInsert);
    setFocusPolicy(Qt::StrongFocus);
    setMaxVisibleItems(8);
    // An item the user picks shows from its start, also in the box the user is in.
    connect(this, &QComboBox::activated, field, [field] { MoveCaretToStart(field); });
    connect(this, &QComboBox::activated, this, &TComboBox::changed);
}

void TComboBox::showPopup()
{
    QComboBox::showPopup();

    // Styles that drop the list down as a menu show every item and ignore maxVisibleItems: Fusion does so for boxes
    // that are not editable, some desktop styles for all. A style sheet's "combobox-popup: 0" would stop that, but
    // a box with a style sheet of its own no longer follows its parent's font, nor hands its own to the list.
    QStyleOptionComboBox option;
    initStyleOption(&option);
    if (!style()->styleHint(QStyle::SH_ComboBox_Popup, &option, this) || count() <= maxVisibleItems())
        return;
    QAbstractItemView *list = view();
    int rows = 0;
    for (int i = 0; i < maxVisibleItems(); ++i)
        rows += list->visualRect(model()->index(i, modelColumn(), rootModelIndex())).height();
    // The menu's scroll arrows come and go with the list's height and position, so each change takes a second look.
    QWidget *popup = list->window();
    const auto holdToRows = [list, popup, rows] {
        for (int pass = 0; pass < 3 && list->viewport()->height() != rows; ++pass)
            popup->resize(popup->width(), popup->height() - (list->viewport()->height() - rows));
    };
    holdToRows();
    list->scrollTo(list->currentIndex(), QAbstractItemView::PositionAtCenter);
    holdToRows();

    // As such a style places its menu: the current item over the box, as far as the screen allows.
    const QRect current = list->visualRect(list->currentIndex());
    if (!current.isValid())
        return;
    int top = mapToGlobal(QPoint(0, 0)).y() - list->viewport()->mapTo(popup, current.topLeft()).y();
    if (const QScreen *screen = popup->screen()) {
        const QRect room = screen->availableGeometry();
        top = std::clamp(top, room.top(), std::max(room.top(), room.bottom() + 1 - popup->height()));
    }
    popup->move(popup->x(), top);
}

void TComboBox::wheelEvent(QWheelEvent *event)
{
    // Ignored, it goes on to the parents, none of which does anything with it.
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    QComboBox::wheelEvent(event);
}

void TComboBox::setItems(const QStringList &items)
{
    // clear() and addItems() report index changes of their own, and addItems() selects the first item.
    const QSignalBlocker blocker(this);
    clear();
    addItems(items);
    setCurrentIndex(-1);
    lineEdit()->clear();
}

void TComboBox::setSelectedIndex(int index)
{
    const QSignalBlocker blocker(this);
    // Index -1 also empties the edit field.
    setCurrentIndex(index >= 0 && index < count() ? index : -1);
}

int TComboBox::selectedIndex() const
{
    return currentIndex();
}

void TComboBox::setText(const QString &text)
{
    const QSignalBlocker blocker(this);
    lineEdit()->setText(text);
}

QString TComboBox::text() const
{
    return lineEdit()->text();
}

void TComboBox::takeUserEdit(bool typed)
{
    if (typed)
        completeInline();
    const int match = findText(lineEdit()->text(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (match >= 0)
        setCurrentIndex(match); // the text already is the item's, so the field and its selection stay as they are
    else if (currentIndex() >= 0)
        deselectKeepingText();
    emit changed();
}

// Like Windows' auto-complete: the first item that begins with the typed text, the rest of it selected so that
// typing on replaces it.
void TComboBox::completeInline()
{
    QLineEdit *field = lineEdit();
    const QString typed = field->text();
    if (typed.isEmpty() || field->hasSelectedText() || field->cursorPosition() != typed.size())
        return;
    for (int i = 0; i < count(); ++i) {
        const QString item = itemText(i);
        if (item.startsWith(typed, Qt::CaseInsensitive)) {
            field->setText(item);
            if (item.size() > typed.size())
                field->setSelection(static_cast<int>(typed.size()), static_cast<int>(item.size() - typed.size()));
            return;
        }
    }
}

// setCurrentIndex(-1) empties the field; the user's text, cursor and selection go back in after it.
void TComboBox::deselectKeepingText()
{
    QLineEdit *field = lineEdit();
    const QString shown = field->text();
    const int cursor = field->cursorPosition();
    const int selectionStart = field->selectionStart();
    const int selectionLength = field->selectionLength();
    setCurrentIndex(-1);
    field->setText(shown);
    if (selectionLength > 0 && cursor == selectionStart)
        field->setSelection(selectionStart + selectionLength, -selectionLength);
    else if (selectionLength > 0)
        field->setSelection(selectionStart, selectionLength);
    else
        field->setCursorPosition(cursor);
}
