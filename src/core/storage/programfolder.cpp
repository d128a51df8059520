#include "programfolder.h"
