#include "settings/parameterdata.h"
