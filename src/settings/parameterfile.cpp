#include "settings/parameterfile.h"
