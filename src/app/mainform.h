#pragma once

#include <QWidget>

class Tmainform1 : public QWidget
{
    Q_OBJECT
public:
    explicit Tmainform1(QWidget *parent = nullptr);
};
