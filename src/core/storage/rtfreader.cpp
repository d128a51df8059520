#include "rtfreader.h"
