// CSystemPathChooser: the system's file-open dialog and shell folder browser.
#pragma once

#include "IPathChooser.h"

class CSystemPathChooser : public IPathChooser
{
public:
    virtual BOOL ChooseFilesToOpen(CWnd* pOwner, LPCTSTR pszFilter, BOOL bMultiple, CStringArray& paths);
    virtual BOOL ChooseFolder(CString& strPath);

    // The one chooser of the program.
    static IPathChooser& Instance();
};
