#include "CSystemPathChooser.h"

#include "BrowseFolderCallback.h"

#include <afxdlgs.h>
#include <shlobj.h>

#include <vector>

namespace
{
// Room for many names of a multiple selection.
const DWORD kMultipleNamesBuffer = 32000;
} // namespace

BOOL CSystemPathChooser::ChooseFilesToOpen(CWnd* pOwner, LPCTSTR pszFilter, BOOL bMultiple, CStringArray& paths)
{
    paths.RemoveAll();
    DWORD dwFlags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    if (bMultiple)
        dwFlags |= OFN_OVERWRITEPROMPT | OFN_ALLOWMULTISELECT | OFN_EXPLORER;
    CFileDialog dialog(TRUE, NULL, NULL, dwFlags, pszFilter, pOwner);
    std::vector<char> names(kMultipleNamesBuffer, '\0');
    if (bMultiple)
    {
        dialog.m_ofn.lpstrFile = names.data();
        dialog.m_ofn.nMaxFile = kMultipleNamesBuffer;
    }
    if (dialog.DoModal() != IDOK)
        return FALSE;
    if (!bMultiple)
    {
        paths.Add(dialog.GetPathName());
        return TRUE;
    }
    for (POSITION pos = dialog.GetStartPosition(); pos != NULL;)
        paths.Add(dialog.GetNextPathName(pos));
    return paths.GetSize() > 0;
}

BOOL CSystemPathChooser::ChooseFolder(CString& strPath)
{
    IMalloc* pMalloc = NULL;
    if (FAILED(::SHGetMalloc(&pMalloc)) || pMalloc == NULL)
        return FALSE;
    BROWSEINFOA info;
    memset(&info, 0, sizeof(info));
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN | BIF_STATUSTEXT;
    info.lpfn = BrowseFolderCallback;
    // The browser opens at the process's current directory.
    char szCurrent[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, szCurrent);
    info.lParam = reinterpret_cast<LPARAM>(szCurrent);
    BOOL bChosen = FALSE;
    if (LPITEMIDLIST pList = ::SHBrowseForFolderA(&info))
    {
        char szPath[MAX_PATH] = "";
        if (::SHGetPathFromIDListA(pList, szPath) && szPath[0] != '\0')
        {
            strPath = szPath;
            bChosen = TRUE;
        }
        pMalloc->Free(pList);
    }
    pMalloc->Release();
    return bChosen;
}

IPathChooser& CSystemPathChooser::Instance()
{
    static CSystemPathChooser s_chooser;
    return s_chooser;
}
