#include "BrowseFolderCallback.h"

#include <shlobj.h>

int CALLBACK BrowseFolderCallback(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM lpData)
{
    if (uMsg == BFFM_INITIALIZED && lpData != 0)
        ::SendMessageA(hwnd, BFFM_SETSELECTIONA, TRUE, lpData);
    else if (uMsg == BFFM_SELCHANGED)
    {
        char szPath[MAX_PATH] = "";
        if (lParam == 0 || !::SHGetPathFromIDListA((LPCITEMIDLIST)lParam, szPath))
            szPath[0] = '\0';
        ::SendMessageA(hwnd, BFFM_SETSTATUSTEXTA, 0, (LPARAM)szPath);
    }
    return 0;
}
