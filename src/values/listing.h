#pragma once

#include "settings/parametervalues.h"

#include <QString>

// The listing of trailcam-param show: a line "caption: value" for each field
// the image carries, under the window's captions, in the window's order. The
// captions and items are those of `language` (0 to LanguageCount - 1); any other
// number lists in the texts a freshly started window shows. A clock, when set,
// comes first, as the time the image was saved.
QString ParameterListing(const ParameterValues &values, int language);

// `text` with the characters a terminal would act on written as JSON writes
// them (\n, \u001b, ...): C0 controls, DEL, the C1 controls that
// Windows-1252 decoding gives for its five unassigned bytes, and the marks
// that reorder the text after them (U+202E, ...). Any other text comes back
// as it is.
QString EscapeControls(const QString &text);

// JSON text as QJsonDocument writes it, with the same characters escaped in
// its strings: Qt leaves DEL, C1 controls and those marks raw.
QString EscapeJsonControls(const QString &json);
