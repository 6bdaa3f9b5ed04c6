#include "BrowseFolderCallback.h"

#include <shlobj.h>

int CALLBACK BrowseFolderCallback(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM lpData)
{
    if (uMsg == BFFM_INITIALIZED)
    {
        char szFolder[MAX_PATH] = "";
        if (lpData != 0)
            lstrcpynA(szFolder, reinterpret_cast<LPCSTR>(lpData), MAX_PATH);
        else
            ::GetCurrentDirectoryA(MAX_PATH, szFolder);
        ::SendMessageA(hwnd, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(szFolder));
    }
    else if (uMsg == BFFM_SELCHANGED)
    {
        char szPath[MAX_PATH] = "";
        if (::SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(lParam), szPath))
            ::SendMessageA(hwnd, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(szPath));
    }
    return 0;
}
