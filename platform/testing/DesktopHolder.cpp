// Keeps the Wine desktop of a test suite in use for as long as the suite runs.
//
// Wine closes a desktop that no program has used for a moment, and the desktop process
// goes with it. The next program that opens a window then starts a new desktop process,
// which inherits that program's standard error: when the program is a test, CTest waits
// for the desktop process to close the pipe long after the test has ended, and the test
// runs out of time. The suite starts this program first, with its output going nowhere,
// so the desktop it starts lives through the whole suite. The suite kills it at the end.
#include <windows.h>

#include <stdio.h>

int main()
{
    // Asking for the desktop window connects this process to the desktop (and starts
    // the desktop process if there is none); the suite waits for the word.
    if (::GetDesktopWindow() == NULL)
        return 1;
    puts("ready");
    fflush(stdout);
    ::Sleep(INFINITE);
    return 0;
}
