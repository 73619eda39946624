#pragma once

#include <QString>

// Whether Windows takes a file name for a device rather than a file: CON,
// PRN, AUX, NUL, CONIN$, CONOUT$, COM0-9 and LPT0-9 (with the superscript
// digits too), in any case, with any extension, trailing blanks or colon
// ("nul.dat", "COM1 .txt", "CON:"), in any folder. Reading one may wait
// forever; writing one sends the bytes to the device.
bool IsWindowsDeviceName(const QString &path);
