#include "app/platform.h"

#include <QFontDatabase>
#include <QScreen>
#include <QString>
#include <QStyle>
#include <QWidget>

// The form's face, cut to the characters the form can show, under the family
// name the form's font already falls back to.
static void InitFormFace()
{
    Q_INIT_RESOURCE(formface);
}

void AddCarriedFonts()
{
    InitFormFace();
    QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/formface.ttf"));
}

void ShowMainWindow(QWidget &window)
{
    // The form itself centred, its title bar above it: a page's tests find
    // each control at the same place from the screen's middle.
    if (const QScreen *screen = window.screen())
        window.setGeometry(
            QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window.size(), screen->availableGeometry()));
    window.show();
}
