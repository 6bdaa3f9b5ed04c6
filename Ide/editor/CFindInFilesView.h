// CFindInFilesView: the text of a Find In Files page. A double click on a result line
// opens the file at that line and marks it as the jump line.
#pragma once

#include "CScintillaView.h"

class CFindInFilesView : public CScintillaView
{
    DECLARE_DYNCREATE(CFindInFilesView)
public:
    CFindInFilesView();
    virtual ~CFindInFilesView();

    // Opens the project file of the result line; nothing for another line.
    void JumpToResult(int nLine);

protected:
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    CString GetLineText(int nLine);
};
