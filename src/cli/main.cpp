#include "paramtool.h"

#include "settings/parameterfile.h"
#include "values/listing.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <cstdio>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

int main(int argc, char *argv[])
{
#ifdef SIGXFSZ
    // Past a file-size limit a write fails with "File too large", reported
    // like a full disk, instead of the signal ending the program unheard.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
#ifdef Q_OS_WIN
    // An image goes through standard input and output byte for byte, and the
    // texts are UTF-8, which the console shows once it is told so.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    SetConsoleOutputCP(CP_UTF8);
#endif
    QByteArrayList rawArguments;
    for (int i = 0; i < argc; ++i)
        rawArguments << QByteArray(argv[i]);

    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
#ifdef Q_OS_UNIX
    for (const QByteArray &raw : rawArguments.mid(1)) {
        const QString argument = QFile::decodeName(raw);
        if (!IsFaithfulFileName(raw)) {
            err << QFileInfo(QFile::decodeName(rawArguments.value(0))).fileName() << ": \"" << EscapeControls(argument)
                << "\" is not valid UTF-8, so the tool cannot tell which file it names; rename the file" << Qt::endl;
            return 2;
        }
    }
#endif
    return RunParamTool(QCoreApplication::arguments(), out, err);
}
