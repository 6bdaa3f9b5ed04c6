// CExtFrameBarState: the bar layout of one frame, collected from its bars to be
// stored, or read back whole and checked before anything of it is applied.
//
// The stream: a header text, the library's long version, the stream version 0x202,
// four reserved values, the frame's placement "%d,%d,%d,%d,%d,%d", the class library's
// dock state of the toolbar-like bars, one record per resizable bar (its sizes and
// last floating position) and one node per resizable bar in dock order (its side,
// layer, row, visibility and floating frame).
#pragma once

#include <afxwin.h>
#include <afxadv.h>
#include <afxtempl.h>

class CExtControlBar;

class CExtFrameBarState
{
public:
    // The sizes and last floating position of one resizable bar.
    struct RECORD
    {
        UINT nBarID = 0;
        bool bFloating = false;
        CPoint ptLastFloat = CPoint(0, 0);
        CSize sizeDockedH = CSize(0, 0), sizeDockedV = CSize(0, 0), sizeFloated = CSize(0, 0);
    };

    // Where one resizable bar is: its side (AFX_IDW_DOCKBAR_FLOAT when floating) and
    // layer, and whether it starts a row.
    struct NODE
    {
        enum
        {
            ePlain = 0x01,
            eVisible = 0x10,
            eFloatingFrame = 0x20,
            eRowBreak = 0x40,
        };
        UINT nBarID = 0;
        UINT nDockBarID = AFX_IDW_DOCKBAR_FLOAT;
        UINT nCircle = 0;
        UINT nLastDockBarID = 0;   // where a floating bar docks back
        DWORD dwBarStyle = 0;
        DWORD dwFlags = 0;
        DWORD dwMRUFloatStyle = 0;
        DWORD dwFloatFrameStyle = WS_POPUP;
        int nReserved = 0;
        CPoint ptLastFloat = CPoint(0, 0), ptMRUFloat = CPoint(0, 0);
        CRect rcMRUDock = CRect(0, 0, 0, 0), rcFloatFrame = CRect(0, 0, 200, 200), rcBar = CRect(0, 0, 200, 200);
        CSize sizeDockedH = CSize(200, 200), sizeDockedV = CSize(200, 200), sizeFloated = CSize(200, 200);
        UINT nChildren = 0;
    };

    CExtFrameBarState();

    // The state of the frame's bars now.
    void Collect(CFrameWnd* pFrame);
    // Applies a state read back; false, with nothing changed, when it does not fit
    // the frame's bars (a resizable bar it does not name, nested bars it cannot
    // restore, values out of range).
    bool Apply(CFrameWnd* pFrame, WINDOWPLACEMENT* pFramePlacement);
    // Both directions; reading throws CArchiveException for a stream of another
    // version or a damaged one.
    void Serialize(CArchive& ar);

    static bool Load(CFrameWnd* pFrame, LPCTSTR lpszRegistryKey, LPCTSTR lpszProductKey, LPCTSTR lpszProfileName,
                     WINDOWPLACEMENT* pFramePlacement);
    static bool Save(CFrameWnd* pFrame, LPCTSTR lpszRegistryKey, LPCTSTR lpszProductKey, LPCTSTR lpszProfileName,
                     WINDOWPLACEMENT* pFramePlacement);

    WINDOWPLACEMENT m_wp;
    CDockState m_dockState;
    CArray<RECORD, const RECORD&> m_arrRecords;
    CArray<NODE, const NODE&> m_arrNodes;

private:
    bool Validate(CFrameWnd* pFrame) const;
    void SerializeNode(CArchive& ar, NODE& node, int nDepth);
    static CString StatePath(CFrameWnd* pFrame, LPCTSTR lpszRegistryKey, LPCTSTR lpszProductKey,
                             LPCTSTR lpszProfileName);
};
