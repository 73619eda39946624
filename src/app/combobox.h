#pragma once

#include <QComboBox>

// The editable drop-down of the window. Handlers hang on changed(), which only the user raises, so no handler
// sets off another by filling a box from code.
class TComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit TComboBox(QWidget *parent = nullptr);

    // Changes from code: none of these emits changed().
    void setItems(const QStringList &items); // replaces all items; no selection, empty text
    void setSelectedIndex(int index); // an index that names no item: no selection, empty text
    int selectedIndex() const; // -1 when none
    void setText(const QString &text); // edit text only; the selected index is unchanged
    QString text() const;

    void showPopup() override;

protected:
    // The wheel changes the item only while the box has the focus, which the
    // wheel does not give it: scrolling over the window leaves it alone.
    void wheelEvent(QWheelEvent *event) override;

signals:
    // Only for the user: a pick from the list or with the arrow keys or the wheel, or an edit of the text. By the
    // time it arrives the index already follows the text.
    void changed();

private:
    void takeUserEdit(bool typed);
    void completeInline();
    void deselectKeepingText();
};
