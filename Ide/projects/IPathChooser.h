// IPathChooser: the file and folder choosers of the project commands, dialogs and
// pages. The IDE uses the system's dialogs; tests hand in paths of their own.
#pragma once

#include <afx.h>
#include <afxcoll.h>

class CWnd;

class IPathChooser
{
public:
    virtual ~IPathChooser() {}
    // Existing files to open, with a filter of "description|pattern|" pairs; with
    // bMultiple several may be chosen. FALSE when cancelled.
    virtual BOOL ChooseFilesToOpen(CWnd* pOwner, LPCTSTR pszFilter, BOOL bMultiple, CStringArray& paths) = 0;
    // A folder of the file system, the browser starting at the current directory.
    // FALSE when cancelled or when the choice has no file-system path.
    virtual BOOL ChooseFolder(CString& strPath) = 0;
};
