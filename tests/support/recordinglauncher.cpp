#include "support/recordinglauncher.h"
