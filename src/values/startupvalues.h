#pragma once

#include "settings/parametervalues.h"

// The values a freshly started window holds; the clock is left unset. The
// connection fields and the country and operator texts come from the preset
// tables, so they follow any change there.
const ParameterValues &StartupParameterValues();
