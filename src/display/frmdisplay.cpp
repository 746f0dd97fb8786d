#include "display/frmdisplay.h"
