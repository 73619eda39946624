#include "settings/startupvalues.h"
