#include "settings/codepage.h"
