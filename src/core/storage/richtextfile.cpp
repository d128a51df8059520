#include "richtextfile.h"
