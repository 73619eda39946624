#include "console.h"

#include <QFile>

#include <fcntl.h>
#include <io.h>
#include <windows.h>

void PrepareConsole()
{
    // An image goes through standard input and output byte for byte, and the
    // texts are UTF-8, which the console shows once it is told so.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    SetConsoleOutputCP(CP_UTF8);
}

bool IsTerminal(FILE *stream)
{
    return _isatty(_fileno(stream));
}

bool OpenStandardInput(QFile &input)
{
    // Qt refuses the C stream of a pipe here (seen under Wine); the
    // descriptor opens as a sequential file.
    return input.open(_fileno(stdin), QIODevice::ReadOnly, QFileDevice::DontCloseHandle);
}

bool CloseStandardOutput(QString *)
{
    return true;
}
