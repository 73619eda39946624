#pragma once

#include "settings/parametervalues.h"

#include <QByteArray>

inline constexpr qsizetype ParameterDataSize = 2128;

// Swaps the two nibbles and inverts every bit; its own inverse.
constexpr quint8 ScrambleByte(quint8 b)
{
    return static_cast<quint8>(~((b << 4) | (b >> 4)));
}

// Builds the complete image, both scrambled regions included. A text longer
// than its room is cut to the room so that it never reaches another field.
QByteArray BuildParameterData(const ParameterValues &values);

// Parses the first ParameterDataSize bytes of `image`, which must hold at
// least that many. The clock is left unset; the five fields that SMTP and FTP
// share give their text to both members.
ParameterValues ReadParameterData(const QByteArray &image);
