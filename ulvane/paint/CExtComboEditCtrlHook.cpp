// CExtComboEditCtrlHook: edits that are not typing end the combo's completion.
#include "CExtComboEditCtrlHook.h"

#include "CExtComboBox.h"

IMPLEMENT_DYNAMIC(CExtComboEditCtrlHook, CEdit)

namespace
{
// The class library's edit commands (cut, copy, paste, undo, ...).
const UINT nFirstEditCmdID = 0xE120, nLastEditCmdID = 0xE12C;
}

CExtComboBox* CExtComboEditCtrlHook::GetCombo() const
{
    CWnd* pParent = m_hWnd != NULL ? CWnd::FromHandlePermanent(::GetParent(m_hWnd)) : NULL;
    return pParent != NULL && pParent->IsKindOf(RUNTIME_CLASS(CExtComboBox)) ? static_cast<CExtComboBox*>(pParent)
                                                                              : NULL;
}

LRESULT CExtComboEditCtrlHook::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    CExtComboBox* pCombo = GetCombo();
    switch (message)
    {
    case WM_CUT:
    case WM_COPY:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
        if (pCombo != NULL)
            pCombo->SetAutoCompletePending(false);
        break;
    case WM_COMMAND:
        if (pCombo != NULL && LOWORD(wParam) >= nFirstEditCmdID && LOWORD(wParam) <= nLastEditCmdID)
            pCombo->SetAutoCompletePending(false);
        break;
    case WM_CONTEXTMENU:
        if (pCombo != NULL && pCombo->OnContextMenuHook(this))
            return 0;
        break;
    default:
        break;
    }
    return CEdit::WindowProc(message, wParam, lParam);
}
