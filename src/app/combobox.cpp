#include "app/combobox.h"

#include <QLineEdit>
#include <QSignalBlocker>

// Interim version: the full user/code distinction is still to come.
TComboBox::TComboBox(QWidget *parent)
    : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    connect(this, &QComboBox::activated, this, &TComboBox::changed);
}

void TComboBox::setItems(const QStringList &items)
{
    const QSignalBlocker blocker(this);
    clear();
    addItems(items);
    setCurrentIndex(-1);
}

void TComboBox::setSelectedIndex(int index)
{
    const QSignalBlocker blocker(this);
    setCurrentIndex(index >= 0 && index < count() ? index : -1);
}

int TComboBox::selectedIndex() const
{
    return currentIndex();
}

void TComboBox::setText(const QString &text)
{
    const QSignalBlocker blocker(this);
    setEditText(text);
}

QString TComboBox::text() const
{
    return currentText();
}
