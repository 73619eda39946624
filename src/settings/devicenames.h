#pragma once

#include <QString>

// Whether Windows takes a file name for a device rather than a file: CON,
// PRN, AUX, NUL, COM1-9 and LPT1-9 (with the superscript digits too), in any
// case, with any extension or trailing blanks ("nul.dat", "COM1 .txt"), in
// any folder. Reading one may wait forever; writing one sends the bytes to
// the device.
bool IsWindowsDeviceName(const QString &path);
