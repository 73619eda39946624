#include "app/combobox.h"
