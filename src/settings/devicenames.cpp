#include "settings/devicenames.h"

#include <QStringView>

#include <algorithm>

bool IsWindowsDeviceName(const QString &path)
{
    qsizetype start = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\'))) + 1;
    if (start == 0 && path.size() >= 2 && path.at(1) == QLatin1Char(':'))
        start = 2; // "C:nul"
    QStringView name = QStringView(path).mid(start);
    if (const qsizetype dot = name.indexOf(QLatin1Char('.')); dot >= 0)
        name = name.left(dot);
    // "COM1:" is how DOS named the port, and Windows still takes it so.
    while (name.endsWith(QLatin1Char(' ')) || name.endsWith(QLatin1Char(':')))
        name.chop(1);
    for (const char *device : { "CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$" }) {
        if (name.compare(QLatin1StringView(device), Qt::CaseInsensitive) == 0)
            return true;
    }
    if (name.size() != 4)
        return false;
    const QStringView stem = name.left(3);
    if (stem.compare(QLatin1StringView("COM"), Qt::CaseInsensitive) != 0
        && stem.compare(QLatin1StringView("LPT"), Qt::CaseInsensitive) != 0)
        return false;
    // Port 0 is a device on some versions of Windows and a file on others;
    // taken as a device everywhere, the image never goes to one.
    const QChar digit = name.at(3);
    return (digit >= QLatin1Char('0') && digit <= QLatin1Char('9')) || digit == QChar(0x00B9) || digit == QChar(0x00B2)
        || digit == QChar(0x00B3);
}
