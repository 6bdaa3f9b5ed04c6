#include "CTempScintillaWnd.h"

#include "LuaEditorSetup.h"

IMPLEMENT_DYNAMIC(CTempScintillaWnd, CWnd)

BEGIN_MESSAGE_MAP(CTempScintillaWnd, CWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

namespace
{
const UINT kReadBlockSize = 4096;
}

CTempScintillaWnd::CTempScintillaWnd()
{
}

CTempScintillaWnd::~CTempScintillaWnd()
{
}

int CTempScintillaWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    return m_ctrl.CreateFilling(this) ? 0 : -1;
}

void CTempScintillaWnd::SetupLua()
{
    LuaEditorSetup::SelectLuaLexer(m_ctrl);
    m_ctrl.SetMarginWidthN(MARGIN_LINE_NUMBERS, 45);
    m_ctrl.SetMarginWidthN(MARGIN_MARKERS, 16);
    m_ctrl.SetMarginWidthN(MARGIN_FOLDING, 16);
    LuaEditorSetup::SetupFoldMargin(m_ctrl);
    LuaEditorSetup::DefineFoldMarkers(m_ctrl);
}

BOOL CTempScintillaWnd::LoadFile(LPCTSTR pszPath)
{
    m_ctrl.ClearAll();
    m_ctrl.EmptyUndoBuffer();
    CFile file;
    if (!file.Open(pszPath, CFile::modeRead | CFile::shareDenyWrite))
        return FALSE;
    m_ctrl.Cancel();
    m_ctrl.SetUndoCollection(FALSE);
    BOOL bRead = TRUE;
    try
    {
        char buffer[kReadBlockSize];
        UINT nRead;
        while ((nRead = file.Read(buffer, kReadBlockSize)) > 0)
            m_ctrl.AddText((int)nRead, buffer);
    }
    catch (CException* e)
    {
        e->Delete();
        m_ctrl.ClearAll();
        bRead = FALSE;
    }
    m_ctrl.SetUndoCollection(TRUE);
    m_ctrl.EmptyUndoBuffer();
    m_ctrl.SetSavePoint();
    m_ctrl.GotoPos(0);
    // The window is never shown, so it never paints: style the whole text now.
    m_ctrl.Colourise(0, -1);
    return bRead;
}
