// The application object of the editor's benchmark programs: message boxes are
// printed and answered at once, so no run waits for a click.
#pragma once

#include <afxwin.h>
#include <stdio.h>

class CBenchApp : public CWinApp
{
public:
    explicit CBenchApp(LPCTSTR pszAppName) : CWinApp(pszAppName) {}
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT)
    {
        printf("message box: %s\n", lpszPrompt);
        return IDOK;
    }
};
