// The callback of every folder browser of the IDE: it opens on the folder given as
// lpData (an LPCSTR; the callers pass the process's current directory) and shows the
// selected folder's path as the browser's status text.
#pragma once

#include <windows.h>

int CALLBACK BrowseFolderCallback(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM lpData);
