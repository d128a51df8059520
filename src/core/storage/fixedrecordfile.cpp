#include "fixedrecordfile.h"
