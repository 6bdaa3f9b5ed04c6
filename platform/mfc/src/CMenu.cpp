// Menus and their handle map.
#include "afxpriv.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

static void SetMenuHandle(CObject* pObject, HANDLE h)
{
    ((CMenu*)pObject)->m_hMenu = (HMENU)h;
}

CHandleMap* PASCAL afxMapHMENU(BOOL bCreate)
{
    return CHandleMap::GetThreadMap(AfxGetThreadState()->m_pmapHMENU, bCreate, CHandleMap::Construct<CMenu>, SetMenuHandle);
}

CMenu* PASCAL CMenu::FromHandle(HMENU hMenu)
{
    return (CMenu*)afxMapHMENU(TRUE)->FromHandle(hMenu);
}

void PASCAL CMenu::DeleteTempMap()
{
    if (CHandleMap* pMap = afxMapHMENU())
        pMap->DeleteTemp();
}

BOOL CMenu::Attach(HMENU hMenu)
{
    return afxMapHMENU(TRUE)->AttachObject(this, m_hMenu, hMenu);
}

HMENU CMenu::Detach()
{
    return CHandleMap::DetachObject(afxMapHMENU(), this, m_hMenu);
}

CMenu::~CMenu()
{
    DestroyMenu();
}

BOOL CMenu::DestroyMenu()
{
    if (m_hMenu == NULL)
        return FALSE;
    return ::DestroyMenu(Detach());
}

BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName)
{
    return Attach(::LoadMenu(AfxGetResourceHandle(), lpszResourceName));
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    int nLen = ::GetMenuString(m_hMenu, nIDItem, NULL, 0, nFlags);
    if (nLen <= 0)
    {
        rString.Empty();
        return 0;
    }
    nLen = ::GetMenuString(m_hMenu, nIDItem, rString.GetBufferSetLength(nLen), nLen + 1, nFlags);
    rString.ReleaseBuffer();
    return nLen;
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd->GetSafeHwnd(), lpRect);
}

BOOL CMenu::TrackPopupMenuEx(UINT fuFlags, int x, int y, CWnd* pWnd, LPTPMPARAMS lptpm)
{
    return ::TrackPopupMenuEx(m_hMenu, fuFlags, x, y, pWnd->GetSafeHwnd(), lptpm);
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT)
{
    // Owner-drawn menus override this.
}

void CMenu::MeasureItem(LPMEASUREITEMSTRUCT)
{
}
