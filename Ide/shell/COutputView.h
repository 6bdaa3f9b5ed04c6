// COutputView: the text of the Output page. A double click on a compiler message
// about a file of the project opens that file at the message's line and marks it.
#pragma once

#include "CScintillaView.h"

class COutputView : public CScintillaView
{
    DECLARE_DYNCREATE(COutputView)
public:
    COutputView();
    virtual ~COutputView();

    virtual void OnDoubleClick(SCNotification* pNotify);

protected:
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The text of the line, line end included.
    CString GetLineText(int nLine);
};
