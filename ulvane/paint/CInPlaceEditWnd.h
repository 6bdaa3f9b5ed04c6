// CExtPopupMenuWnd::CInPlaceEditWnd: the editable text field of a menu item. It sits
// at the item's right inside the popup; a validator decides on every change (keys,
// characters, paste, cut, deleting the selection) and on Enter whether the new text
// may stand, and a message hook sees every message first. Enter with the validator's
// yes stores the text in the item's target string; leaving the field any other way
// puts the target's text back.
#pragma once

#include <afxwin.h>

#include <functional>

#include "CExtPopupMenuWnd.h"

class CExtPopupMenuWnd::CInPlaceEditWnd : public CEdit
{
public:
    // Sent to the field: delete the selection (or the character after the caret),
    // select everything.
    static const UINT g_nMsgDeleteSelection;
    static const UINT g_nMsgSelectAll;

    // What the popup sends its receiver with g_nMsgCreateInplaceEdit (wParam): a
    // receiver that makes the field itself puts it into m_pEditWnd.
    struct CCreationRecord
    {
        CWnd* m_pEditWnd;
        CExtPopupMenuWnd* m_pPopup;
        CExtPopupMenuItem* m_pItem;
        CString* m_pTarget;
        CExtPopupMenuEditValidator m_pfnValidator;
        LPVOID m_pValidatorCookie;
        CExtPopupMenuEditHook m_pfnHook;
        LPVOID m_pHookCookie;
        CRect m_rcEdit;       // in the popup's client coordinates
    };

    CInPlaceEditWnd(CString* pTarget, CExtPopupMenuEditValidator pfnValidator = NULL, LPVOID pValidatorCookie = NULL,
                    CExtPopupMenuEditHook pfnHook = NULL, LPVOID pHookCookie = NULL);
    virtual ~CInPlaceEditWnd();

    // The item's field at rcEdit (popup client coordinates): the receiver's, when it
    // makes one, else a new one of ours (deleted with its window), showing the
    // target's text with the caret at the start. NULL when none could be made.
    static CWnd* CreateForItem(HWND hWndCmdReceiver, CExtPopupMenuWnd* pPopup, CExtPopupMenuItem& item,
                               const RECT& rcEdit);

    bool IsTextAccepted() const { return (m_nFlags & eAccepted) != 0; }

protected:
    enum { eAccepted = 0x01 };

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void PostNcDestroy();

    afx_msg UINT OnGetDlgCode();
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg LRESULT OnValidatedDefault(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDeleteSelection(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSelectAll(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    DECLARE_MESSAGE_MAP()

    // Runs a change of the text with redrawing off and keeps it only when the
    // validator takes the new text; otherwise the old text and selection come back.
    void ApplyValidated(const std::function<void()>& fnChange);
    bool IsAcceptedByValidator(CString& strOld, CString& strNew);
    // Enter: the text goes to the target on the validator's yes; a refusal beeps
    // and leaves the field open.
    void AcceptText();
    // To the window that had the focus before the field, else to the popup.
    void GiveFocusBack();

    CExtPopupMenuEditValidator m_pfnValidator;
    LPVOID m_pValidatorCookie;
    CExtPopupMenuEditHook m_pfnHook;
    LPVOID m_pHookCookie;
    CString* m_pTarget;
    BYTE m_nFlags;
    CString m_strBuffer;          // the text while it is being validated
    HWND m_hWndFocusBefore;
    bool m_bAutoDelete;           // made here: the object goes with its window
    int m_nChangeDepth;           // a change that makes another (a key's paste) is validated once
};
