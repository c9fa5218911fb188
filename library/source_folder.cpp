#include "library/source_folder.h"

int ChooseFolder(char*, HWND) { return 1; }
int SelectSourceFolder(HWND, WPARAM) { return 0; }
