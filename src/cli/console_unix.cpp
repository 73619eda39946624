#include "console.h"

#include <QFile>

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

void PrepareConsole()
{
    // A standard descriptor the caller closed would go to the next file the
    // tool opens, and the output with it. Each is held by one that refuses
    // its direction, so that using it fails as on a closed one.
    for (const int fd : { STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO }) {
        if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF)
            ::open("/dev/null", fd == STDIN_FILENO ? O_WRONLY : O_RDONLY);
    }
    // Past a file-size limit a write fails with "File too large", reported
    // like a full disk, instead of the signal ending the program unheard.
    std::signal(SIGXFSZ, SIG_IGN);
}

bool IsTerminal(FILE *stream)
{
    return ::isatty(::fileno(stream));
}

bool OpenStandardInput(QFile &input)
{
    return input.open(stdin, QIODevice::ReadOnly);
}

bool CloseStandardOutput(QString *reason)
{
    if (::close(STDOUT_FILENO) == 0)
        return true;
    *reason = qt_error_string(errno);
    return false;
}
