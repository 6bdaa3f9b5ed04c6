#include "CWatchListCtrl.h"

#include <mbstring.h>

#include "CProject.h"
#include "IDebugPanesHost.h"
#include "resource.h"

IMPLEMENT_DYNAMIC(CWatchListCtrl, CVariablesListCtrl)

CWatchListCtrl::CWatchListCtrl()
{
}

CWatchListCtrl::~CWatchListCtrl()
{
}

BOOL CWatchListCtrl::IsWatchRowSelected() const
{
    CTreeListItem* pRow = m_hWnd != NULL ? GetSelectedRow() : NULL;
    return pRow != NULL && pRow->GetParent() == NULL;
}

BOOL CWatchListCtrl::CanDelete(CTreeListItem* pRow, int)
{
    if (pRow == NULL || pRow->GetParent() != NULL)
        return FALSE;
    CProject* pProject = m_pHost != NULL ? m_pHost->GetPanesProject() : NULL;
    if (pProject == NULL)
        return TRUE;
    const unsigned char* pszName = (const unsigned char*)(LPCTSTR)pRow->GetInfo()->GetName();
    for (int i = 0; i < pProject->GetWatchCount(); i++)
    {
        const CString strWatch = pProject->GetWatchAt(i);
        if (_mbscmp((const unsigned char*)(LPCTSTR)strWatch, pszName) == 0)
        {
            pProject->RemoveWatchAt(i);
            break;
        }
    }
    return TRUE;
}

UINT CWatchListCtrl::GetPopupMenuID() const
{
    return IDR_WATCHES_POPUP;
}
