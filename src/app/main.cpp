#include "app/application.h"
#include "app/mainform.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    PrepareApplication();
    Tmainform1 mainform1;
    mainform1.show();
    return app.exec();
}
