#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The camera reads single-byte Windows-1252 text, whatever the host's own code
// page. Both directions behave as Windows' own conversion does.

// One byte per character (a surrogate pair is one character). A character the
// code page lacks becomes its closest equivalent, as Windows' "best fit" table
// has it ("ć" -> "c", fullwidth "Ａ" -> "A"), or '?' where there is none.
QByteArray EncodeCodePage(const QString &text);

// One character per byte. The five bytes that Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the C1 controls of the same number.
QString DecodeCodePage(QByteArrayView bytes);
