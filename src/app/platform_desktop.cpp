#include "app/platform.h"

#include <QWidget>

void AddCarriedFonts() { }

void ShowMainWindow(QWidget &window)
{
    window.show();
}
