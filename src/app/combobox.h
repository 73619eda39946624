#pragma once

#include <QComboBox>

class TComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit TComboBox(QWidget *parent = nullptr);

    // Changes from code: none of these emits changed().
    void setItems(const QStringList &items);
    void setSelectedIndex(int index);
    int selectedIndex() const;
    void setText(const QString &text);
    QString text() const;

signals:
    void changed();
};
