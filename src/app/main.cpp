#include "app/application.h"
#if defined(Q_OS_UNIX) && !defined(Q_OS_WASM)
#include "app/endsignals.h"
#endif
#include "app/mainform.h"
#include "app/platform.h"

#include "settings/parameterfile.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include <csignal>
#include <string_view>

namespace {

void DescribeOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral("Edits the settings file (Parameter.dat) of a 4G trail camera."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("file"), QStringLiteral("A settings file to load at start."), QStringLiteral("[file]"));
}

bool AsksForHelpOrVersion(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        if (argument == "--")
            return false;
        if (argument == "-h" || argument == "--help" || argument == "-v" || argument == "--version")
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
#ifdef SIGXFSZ
    // Past a file-size limit Save fails with "File too large" and a message,
    // instead of the signal ending the program with the window's values.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    // Where the folder of the last file is kept: trailcam/trailcam-settings.ini
    // in the user's configuration folder. Neither name reaches a title.
    QCoreApplication::setOrganizationName(QStringLiteral("trailcam"));
    QCoreApplication::setApplicationName(QStringLiteral("trailcam-settings"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TRAILCAM_VERSION));

    // Answered without a display, so that they work in any terminal; anything
    // the parser refuses here gets its message from the full parse below.
    if (AsksForHelpOrVersion(argc, argv)) {
        const QCoreApplication core(argc, argv);
        QCommandLineParser parser;
        DescribeOptions(parser);
        if (parser.parse(QCoreApplication::arguments())) {
            if (parser.isSet(QStringLiteral("version")))
                parser.showVersion();
            parser.showHelp();
        }
    }

    QApplication app(argc, argv);
    PrepareApplication();
#if defined(Q_OS_UNIX) && !defined(Q_OS_WASM)
    QuitOnEndSignals();
#endif

    QCommandLineParser parser;
    DescribeOptions(parser);
    parser.process(app);

    Tmainform1 mainform1;
    ShowMainWindow(mainform1);
    // After show(): a file that is refused gets its message over the window.
    // Loaded in the event loop, which a signal can end while that message is open.
    if (const QStringList files = parser.positionalArguments(); !files.isEmpty()) {
        // The name as given: its text may stand for another file as well.
        const bool faithful = IsFaithfulArgument(files.first(), argc, argv);
        QTimer::singleShot(
            0, &mainform1, [&mainform1, file = files.first(), faithful] { mainform1.LoadFile(file, faithful); });
    }
    return app.exec();
}
