#include "i18n/formtexts.h"
