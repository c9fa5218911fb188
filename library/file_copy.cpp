#include "library/file_copy.h"

void CopyCheckedCategories(HWND) {}
int CopyFolderFiles(const char*) { return 0; }
int CopyOneFile(const char*, const char*) { return 0; }
