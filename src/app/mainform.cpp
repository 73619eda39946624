#include "app/mainform.h"

Tmainform1::Tmainform1(QWidget *parent)
    : QWidget(parent)
{
    setWindowTitle(QStringLiteral("4G Trail camera Setting"));
}
