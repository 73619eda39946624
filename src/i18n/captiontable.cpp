#include "i18n/captiontable.h"
