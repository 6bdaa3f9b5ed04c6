// CTreeView: a view that is the system's tree control.
#include "afxpriv.h"
#include <afxcview.h>

IMPLEMENT_DYNCREATE(CTreeView, CCtrlView)

CTreeView::CTreeView()
    : CCtrlView(WC_TREEVIEW, AFX_WS_DEFAULT_VIEW)
{
}
