// CExtComboEditCtrlHook: the edit child of a drop-down CExtComboBox. Clipboard and
// undo operations never auto-complete, and the combo may take its context menu.
#pragma once

#include <afxwin.h>

class CExtComboBox;

class CExtComboEditCtrlHook : public CEdit
{
    DECLARE_DYNAMIC(CExtComboEditCtrlHook)
public:
    CExtComboEditCtrlHook() {}

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    CExtComboBox* GetCombo() const;
};
