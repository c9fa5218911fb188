#include "library/folder_tree.h"

int CreateCategoryFolder() { return -1; }
