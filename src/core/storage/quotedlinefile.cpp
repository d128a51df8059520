#include "quotedlinefile.h"
