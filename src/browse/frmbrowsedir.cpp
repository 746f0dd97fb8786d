#include "browse/frmbrowsedir.h"
