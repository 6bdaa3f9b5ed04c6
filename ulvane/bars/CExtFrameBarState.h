// CExtFrameBarState: the bar layout of one frame, collected from its bars to be
// stored, or read back whole and checked before anything of it is applied.
//
// The stream: a header text, the library's long version, the stream version 0x202,
// four reserved values, the frame's placement "%d,%d,%d,%d,%d,%d", the class library's
// dock state of the toolbar-like bars, one record per resizable bar (its sizes, last
// floating position and row record) and one node tree per bar docked in the inner
// layers or floating on its own (its side, layer, row, visibility and floating frame;
// a container of nested bars with a child node per nested bar).
//
// The registry is anyone's: every count is capped and checked against the bytes left
// before its loop, and a stream that names bars twice or holds values that no layout
// has is refused whole.
#pragma once

#include <afxwin.h>
#include <afxadv.h>
#include <afxtempl.h>

#include "CExtBarStateExtra.h"

#include <vector>

class CExtControlBar;

class CExtFrameBarState
{
public:
    // The sizes and last floating position of one bar, as stored.
    struct RECORD
    {
        enum
        {
            eFloating = 0x01,
        };
        UINT nBarID = 0;
        BYTE nFlags = 0;
        CPoint ptLastFloat = CPoint(0, 0);
        CSize sizeDockedH = CSize(0, 0), sizeDockedV = CSize(0, 0), sizeFloated = CSize(0, 0);
        CExtBarStateExtra extra;
    };

    // Where one bar is: its dock bar (AFX_IDW_DOCKBAR_FLOAT when floating) and layer,
    // whether it starts a row, and for a container the bars nested in it.
    struct NODE
    {
        enum
        {
            ePlain = 0x01,
            eDynamic = 0x02,
            eVisible = 0x10,
            eFloatingFrame = 0x20,
            eRowBreak = 0x40,
            eChild = 0x80,
        };
        UINT nBarID = AFX_IDW_DOCKBAR_FLOAT;
        UINT nDockBarID = AFX_IDW_DOCKBAR_FLOAT;
        UINT nCircle = 0;
        int nMRUWidth = 50;
        DWORD dwBarStyle = 0;
        DWORD dwFlags = 0;
        DWORD dwMRUFloatStyle = 0;
        DWORD dwFloatFrameStyle = WS_POPUP;
        int nReserved = 0;   // the bar's reclaim length
        CPoint ptLastFloat = CPoint(0, 0), ptMRUFloat = CPoint(0, 0);
        CRect rcMRUDock = CRect(0, 0, 0, 0), rcFloatFrame = CRect(0, 0, 200, 200), rcBar = CRect(0, 0, 200, 200);
        CSize sizeDockedH = CSize(200, 200), sizeDockedV = CSize(200, 200), sizeFloated = CSize(200, 200);
        std::vector<NODE> children;
        CControlBar* pBar = NULL;   // found while checking
        int nIndex = -1;
    };

    CExtFrameBarState();
    virtual ~CExtFrameBarState();

    // Both directions; reading throws CArchiveException for a stream of another
    // version, a damaged one, or counts beyond what a frame has.
    virtual void SerializeBarState(CArchive& ar);

    void Clear();
    // The state of the frame's bars now.
    void Collect(CFrameWnd* pFrame);
    // Checks a state read back against the frame's bars and brings every value into
    // its range; false for a stream no layout of this frame could have written.
    bool Check(CFrameWnd* pFrame);
    // Applies a checked state; on failure the frame's bars go back where they were.
    // pUnnamed receives the ids of the resizable bars the state does not place.
    bool Apply(CFrameWnd* pFrame, bool bMoveFrame, CDWordArray* pUnnamed);

    // Collect and store, or read, check and apply, for any archive.
    static bool SerializeFrameState(CArchive& ar, CFrameWnd* pFrame, WINDOWPLACEMENT* pFramePlacement,
                                    CDWordArray* pUnnamed = NULL);
    static bool Load(CFrameWnd* pFrame, LPCTSTR lpszRegistryKey, LPCTSTR lpszProductKey, LPCTSTR lpszProfileName,
                     WINDOWPLACEMENT* pFramePlacement, CDWordArray* pUnnamed);
    static bool Save(CFrameWnd* pFrame, LPCTSTR lpszRegistryKey, LPCTSTR lpszProductKey, LPCTSTR lpszProfileName,
                     WINDOWPLACEMENT* pFramePlacement);
    // The frame's placement with the minimised and maximised positions zeroed and
    // the show command saying only whether it is visible.
    static void ResetPlacement(CFrameWnd* pFrame);

    // For tests: the n-th floating frame or container made while applying fails
    // (0: none fails).
    static int g_nFailCreationAt;

    WINDOWPLACEMENT m_wp;
    CDockState m_dockState;
    CArray<RECORD, const RECORD&> m_arrRecords;
    std::vector<NODE> m_nodes;

private:
    bool ApplyChecked(CFrameWnd* pFrame, bool bMoveFrame);
    bool CheckNode(CFrameWnd* pFrame, NODE& node, bool bRoot, std::vector<UINT>& named);
    void CheckDockState(CFrameWnd* pFrame);
    bool RestoreNode(CFrameWnd* pFrame, NODE& node);
    static CString StatePath(CFrameWnd* pFrame, LPCTSTR lpszRegistryKey, LPCTSTR lpszProductKey,
                             LPCTSTR lpszProfileName);

    int m_nCreations = 0;
};
