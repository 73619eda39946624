#include "app/platform.h"

#include <QWidget>

void AddCarriedFonts() { }

void ShowMainWindow(QWidget &window)
{
    window.show();
}

void ConnectPage(std::function<void(const QString &, const QByteArray &)>, std::function<bool()>) { }
