// Advanced helpers of the frame layer: the recent-file list and the saved docking
// state of a frame's control bars. Both work without windows; only applying a dock
// state to a frame (CFrameWnd::SetDockState) needs the window layer.
#pragma once
#ifndef VORN_AFXADV_H
#define VORN_AFXADV_H

#include "afx.h"
#include "afxcoll.h"

class CCmdUI;
class CControlBar;
class CDockState;

// Length at which display names of recent files are shortened by default.
#define AFX_ABBREV_FILENAME_LEN 30

// Shortens a full path in place to at most cchMax characters: the path's root,
// "..." and as many of its last components as fit ("C:\...\dir\file.lua"). When even
// the root, "...\" and the file name do not fit, the file name alone remains; when
// the file name alone is too long, it remains only with bAtLeastName (else "").
void AFXAPI AfxAbbreviateName(LPSTR lpszCanon, int cchMax, BOOL bAtLeastName);

/////////////////////////////////////////////////////////////////////////////
// CRecentFileList: the most recently used files, most recent first

class CRecentFileList
{
public:
    // nStart: command id of the first entry's menu item; lpszEntryFormat: profile
    // value name with "%d" for the 1-based entry number.
    CRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat, int nSize,
                    int nMaxDispLen = AFX_ABBREV_FILENAME_LEN);
    virtual ~CRecentFileList();

    int GetSize() const { return m_nSize; }
    CString& operator[](int nIndex);

    // Puts the path (made absolute) at the top; an entry naming the same file moves up.
    virtual void Add(LPCSTR lpszPathName);
    virtual void Remove(int nIndex);

    // The entry as a menu shows it: just the file name when the file lies directly in
    // lpszCurDir (nCurDir characters, with or without a trailing backslash), otherwise
    // the path shortened to the display length. FALSE for an empty entry.
    virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCSTR lpszCurDir, int nCurDir,
                                BOOL bAtLeastName = TRUE) const;

    // Replaces the menu items from the update's item on with one item per entry
    // ("&1 name"), or the original text disabled when the list is empty.
    virtual void UpdateMenu(CCmdUI* pCmdUI);
    virtual void ReadList();
    virtual void WriteList();

    int m_nSize;
    CString* m_arrNames;
    CString m_strSectionName;
    CString m_strEntryFormat;
    UINT m_nStart;
    int m_nMaxDisplayLength;
    CString m_strOriginal;     // menu text of the first item before the list filled it

private:
    CRecentFileList(const CRecentFileList&) = delete;
    void operator=(const CRecentFileList&) = delete;
};

/////////////////////////////////////////////////////////////////////////////
// Saved docking state
//
// Stream of a CDockState (CArchive, little-endian), version 1:
//   WORD   version (1); a reader refuses a newer one with CArchiveException::badSchema
//   DWORD  number of bar records
//   records, each:
//     DWORD  bar id (for a floating dock bar AFX_IDW_DOCKBAR_FLOAT)
//     BYTE   flags: 0x01 visible, 0x02 floating, 0x04 horizontal, 0x08 dock bar,
//                   0x10 has a dock context (the MRU fields follow)
//     LONG x2  position: a docked bar's place in its dock bar, a floating dock bar's
//              frame position on the screen
//     DWORD  most recently used width
//     with flag 0x10: DWORD MRU dock bar id, RECT MRU dock rectangle (4 LONG),
//                     DWORD MRU floating style, POINT MRU floating position (2 LONG)
//     with flag 0x08: DWORD entry count, then per entry a DWORD: 0 a row end, a bar id,
//                     or a bar id with bit 31 set for a placeholder
// Applying a state leaves out records and entries whose bar the frame does not have.

// Entry of a dock bar's id list that keeps the place of a bar that left it.
#define AFX_DOCKSTATE_PLACEHOLDER 0x80000000u

class CControlBarInfo
{
public:
    CControlBarInfo();

    void Serialize(CArchive& ar, CDockState* pDockState);

    UINT m_nBarID;
    BOOL m_bVisible;
    BOOL m_bFloating;
    BOOL m_bHorz;
    BOOL m_bDockBar;
    CPoint m_pointPos;
    UINT m_nMRUWidth;
    BOOL m_bDocking;
    UINT m_uMRUDockID;
    CRect m_rectMRUDockPos;
    DWORD m_dwMRUFloatStyle;
    CPoint m_ptMRUFloatPos;
    CDWordArray m_arrBarID;    // a dock bar's entries, coded as in the stream
    CControlBar* m_pBar;       // bar the record was matched to while applying
};

class CDockState : public CObject
{
    DECLARE_SERIAL(CDockState)
public:
    enum { nCurrentVersion = 1 };
    // Most bar records, and most entries of one dock bar, a stream may hold.
    enum { nMaxEntries = 1024 };

    CDockState();
    virtual ~CDockState();

    virtual void Serialize(CArchive& ar);
    void Clear();
    DWORD GetVersion() const { return m_dwVersion; }

    CPtrArray m_arrBarInfo;    // CControlBarInfo*, owned
    DWORD m_dwVersion;         // version of the stream last read
};

#endif
