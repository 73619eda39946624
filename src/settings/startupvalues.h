#pragma once

#include "settings/parametervalues.h"

// The values a freshly started window holds; the clock is left unset.
const ParameterValues &StartupParameterValues();
