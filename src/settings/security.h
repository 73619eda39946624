#pragma once

#include <QtGlobal>

// The mail security choice: the SMTP tab's three radio buttons, a mail-server
// preset, one byte of the image. A file may hold any byte there, and it reads
// back as it is, so every value 0..255 can occur beside the three named ones.
enum class Security : quint8 {
    NoSsl = 0,
    Ssl = 1,
    StartTls = 2,
};
