#include "paramtool.h"

#include "settings/parameterfile.h"
#include "values/listing.h"

#include <QCoreApplication>
#include <QFile>

#include <csignal>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#endif

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

int main(int argc, char *argv[])
{
#ifdef Q_OS_UNIX
    // A standard descriptor the caller closed would go to the next file the
    // tool opens, and the output with it. Each is held by one that refuses
    // its direction, so that using it fails as on a closed one.
    for (const int fd : { STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO }) {
        if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF)
            ::open("/dev/null", fd == STDIN_FILENO ? O_WRONLY : O_RDONLY);
    }
#endif
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
            err << ProgramName(QCoreApplication::arguments()) << ": \"" << EscapeControls(argument)
                << "\" is not valid UTF-8, so the tool cannot tell which file it names; rename the file" << Qt::endl;
            return 2;
        }
    }
#endif
    const int status = RunParamTool(QCoreApplication::arguments(), out, err);
#ifdef Q_OS_UNIX
    // Everything is flushed by now; some file systems report a lost write
    // only when the file is closed.
    if (status == 0 && ::close(STDOUT_FILENO) != 0) {
        err << ProgramName(QCoreApplication::arguments()) << ": "
            << StandardOutputFailure(QString::fromLocal8Bit(std::strerror(errno))) << Qt::endl;
        return 1;
    }
#endif
    return status;
}
