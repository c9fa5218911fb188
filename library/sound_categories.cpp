#include "library/sound_categories.h"
