#include "app/application.h"
#include "app/mainform.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>

#include <csignal>

int main(int argc, char *argv[])
{
#ifdef SIGXFSZ
    // Past a file-size limit Save fails with "File too large" and a message,
    // instead of the signal ending the program with the window's values.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
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
    if (const QStringList files = parser.positionalArguments(); !files.isEmpty()) {
#ifdef Q_OS_UNIX
        // The name as given: its text may stand for another file as well.
        QByteArray name = QFile::encodeName(files.first());
        for (int i = 1; i < argc; ++i) {
            if (QFile::decodeName(argv[i]) == files.first()) {
                name = argv[i];
                break;
            }
        }
        mainform1.LoadNamedFile(name);
#else
        mainform1.LoadFile(files.first());
#endif
    }
    return app.exec();
}
