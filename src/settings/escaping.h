#pragma once

#include <QString>

// `text` with the characters a terminal would act on written as JSON writes
// them (\n, \u001b, ...): C0 controls, DEL, the C1 controls that
// Windows-1252 decoding gives for its five unassigned bytes, the line and
// paragraph separators (U+2028, U+2029) and the marks that reorder the text
// after them (U+202E, ...). Any other text comes back as it is, backslashes
// too, so escaping an escaped text changes nothing.
QString EscapeControls(const QString &text);

// JSON text as QJsonDocument writes it, with the same characters escaped in
// its strings: Qt leaves DEL, C1 controls, the separators and those marks raw.
QString EscapeJsonControls(const QString &json);
