// CWatchListCtrl: the Watches page's list: its top rows are the project's watch
// expressions, the rows below them what the client reported. Only top rows can be
// deleted, and deleting one removes its expression from the project.
#pragma once

#include "CVariablesListCtrl.h"

class CWatchListCtrl : public CVariablesListCtrl
{
    DECLARE_DYNAMIC(CWatchListCtrl)
public:
    CWatchListCtrl();
    virtual ~CWatchListCtrl();

    // A top row is selected (Watches > Delete Watch).
    BOOL IsWatchRowSelected() const;

    virtual BOOL CanDelete(CTreeListItem* pRow, int nIndex);

protected:
    virtual UINT GetPopupMenuID() const;
};
