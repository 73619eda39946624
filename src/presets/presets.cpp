#include "presets/presets.h"
