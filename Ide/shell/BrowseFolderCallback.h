// BrowseFolderCallback: the callback of every shell folder browser of the IDE: the
// browser opens at the folder given as lpData (a path, LPCSTR), or at the process's
// current directory when lpData is 0, and shows the selected folder's path as its
// status text.
#pragma once

#include <windows.h>

int CALLBACK BrowseFolderCallback(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM lpData);
