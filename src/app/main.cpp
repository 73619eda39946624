#include "app/application.h"
#include "app/mainform.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    PrepareApplication();
    // Where the folder of the last file is kept: trailcam/trailcam-settings.ini
    // in the user's configuration folder. Neither name reaches a title.
    QCoreApplication::setOrganizationName(QStringLiteral("trailcam"));
    QCoreApplication::setApplicationName(QStringLiteral("trailcam-settings"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Edits the settings file (Parameter.dat) of a 4G trail camera."));
    parser.addHelpOption();
    parser.addPositionalArgument(
        QStringLiteral("file"), QStringLiteral("A settings file to load at start."), QStringLiteral("[file]"));
    parser.process(app);

    Tmainform1 mainform1;
    mainform1.show();
    // After show(): a file that is refused gets its message over the window.
    if (const QStringList files = parser.positionalArguments(); !files.isEmpty())
        mainform1.LoadFile(files.first());
    return app.exec();
}
