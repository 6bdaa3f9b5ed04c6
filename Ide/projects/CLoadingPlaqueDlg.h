// CLoadingPlaqueDlg: the small modeless window that says what a project load is doing.
// The frame creates it on the heap and destroys its window; the object then deletes
// itself.
#pragma once

#include "CExtResizableDialog.h"

class CLoadingPlaqueDlg : public CExtResizableDialog
{
public:
    explicit CLoadingPlaqueDlg(CWnd* pParent);

    BOOL Create();
    void SetText(LPCTSTR pszText);

protected:
    virtual void PostNcDestroy();

    CWnd* m_pParent;
};
