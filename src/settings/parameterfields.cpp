#include "settings/parameterfields.h"
