#pragma once

#include "settings/parametervalues.h"

#include <QByteArray>

#include <vector>

struct ParameterField;

inline constexpr qsizetype ParameterDataSize = 2128;

// Swaps the two nibbles and inverts every bit; its own inverse.
constexpr quint8 ScrambleByte(quint8 b)
{
    return static_cast<quint8>(~((b << 4) | (b >> 4)));
}

// Builds the complete image, both scrambled regions included. Indexes and
// numbers keep their low 8 bits (-1 becomes 255). A text longer than its room
// is cut to the room (see FitText) so that it never reaches another field.
// When FTP is on (ComboBox10 == 1) the FTP country, operator, APN, user name and
// password take the place of the SMTP ones. An unset clock means the current
// local date and time.
QByteArray BuildParameterData(const ParameterValues &values);

// Parses the first ParameterDataSize bytes of `image`; the bytes a shorter image
// lacks read as if never written (empty texts, zero numbers). The clock is left unset; the five fields that SMTP
// and FTP share give their text to both members; indexes, timer bytes and the
// security choice come back as stored (0..255).
ParameterValues ReadParameterData(const QByteArray &image);

// The clock bytes as they stand, the year as 2000 + its byte: in an image that
// BuildParameterData made, the time it was built. Not checked; bytes a shorter
// image lacks read as 0. ReadParameterData leaves the clock unset instead, so
// that building what it read takes the current time again.
ClockValue ReadStoredClock(const QByteArray &image);

// Whether `image` holds the constant bytes that every image BuildParameterData
// makes holds (byte 15 is 0, byte 41 is 1); a photo or a file of zeros does not.
bool HasConstantBytes(const QByteArray &image);

// Whether a build of `values` writes the field's value: while FTP is on, the
// FTP texts that share their bytes with SMTP's take their place; while it is
// off, those FTP texts are not written at all.
bool WritesField(const ParameterField &field, const ParameterValues &values);

// A text that a build writes but a read gives back shorter, by its row.
struct CutText
{
    const ParameterField *field;
    qsizetype length; // in characters, each one byte in the file
};

// The texts of `values`, in table order, that a build writes longer than
// ReadBackLength(): a Load, and the camera, would see only their beginning.
std::vector<CutText> TextsCutOnReading(const ParameterValues &values);

// The texts that a build of `values` leaves out although they differ from the
// text written in their place, and from what `before` held there: what was
// typed on the page whose connection the file does not keep (FTP's while FTP
// is off, SMTP's while it is on). A Load gives them the written texts. In
// table order.
std::vector<const ParameterField *> SharedTextsLeftOut(const ParameterValues &values, const ParameterValues &before);
