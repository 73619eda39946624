#include "app/mainform.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Lets Wayland desktops match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("trailcam-settings"));
    // Where the folder of the last file is kept: trailcam/trailcam-settings.ini
    // in the user's configuration folder. Neither name reaches a title.
    QCoreApplication::setOrganizationName(QStringLiteral("trailcam"));
    QCoreApplication::setApplicationName(QStringLiteral("trailcam-settings"));
    Tmainform1 mainform1;
    mainform1.show();
    return app.exec();
}
