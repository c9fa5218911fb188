// Holds Wine's desktop open for a whole test run. The first program that
// needs the desktop starts the desktop's manager, which takes that program's
// error output with it: a test that did so would seem unfinished to CTest
// until the manager ended, and with tests overlapping it may not end for the
// whole run. scripts/test starts this program first, away from every pipe,
// so the manager starts here and stays until the run's wineserver stops.
// The file named on the command line is made once the desktop stands.
#include <windows.h>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    if (!GetDesktopWindow())
        return 1;
    HANDLE ready = CreateFileA(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (ready == INVALID_HANDLE_VALUE)
        return 1;
    CloseHandle(ready);
    Sleep(INFINITE);
    return 0;
}
