#pragma once

// EscapeControls, for the listing's texts and every message.
#include "settings/escaping.h"
#include "settings/parametervalues.h"

#include <QString>

// The listing of trailcam-param show: a line "caption: value" for each field
// the image carries, under the window's captions, in the window's order. The
// captions and items are those of `language` (0 to LanguageCount - 1); any other
// number lists in the texts a freshly started window shows. A clock, when set,
// comes first, as the time the image was saved.
QString ParameterListing(const ParameterValues &values, int language);
