// CExtDockOuterRowLayout: one row of a frame-edge dock bar, without windows.
// Bars keep their places where they can. A bar that no longer fits makes room by
// closing the gaps of its line and then by shrinking the bars of it, last first,
// before the row wraps onto a further line. Bars that keep an extra record are
// ordered by its priority: the record says where each wants to stand and how long
// it wants to be, and the layout brings them back there, the highest priority last.
#pragma once

#include <afxwin.h>

#include <vector>

#include "CExtDockRowBarSource.h"

class CExtBarStateExtra;

// One bar of the row being laid out.
struct EXTROWBARRECORD
{
    void* pBar;
    bool bVisible;
    CSize sizeDesired;   // filled by the layout from the source
    CSize sizeMin;       // likewise
    CRect rcNew;         // where the layout puts it (dock bar client coordinates)
    CRect rcCurrent;     // where it is now
};

typedef std::vector<EXTROWBARRECORD> CExtRowBarRecords;

class CExtDockOuterRowLayout
{
public:
    // sizeMax: the room the dock bar has; bHorz: rows run left to right.
    CExtDockOuterRowLayout(CExtDockRowBarSource& source, bool bHorz, CSize sizeMax, bool bFloating = false);

    struct RESULT
    {
        int nLines;        // lines the row took (1 when it did not wrap, 0 when empty)
        bool bRowFull;     // it wrapped, or a line end-to-end bar reached both ends
        int nThickness;    // across the row, all its lines
    };

    // Lays the row out, its first line nAcross from the dock bar's edge; the records
    // are in row order. Every visible record gets its new rectangle.
    RESULT LayoutRow(CExtRowBarRecords& records, int nAcross);

    // Makes pPromoted the row's first priority: the others of the row keep their
    // order behind it, numbered 2, 3, ...; a record without a priority goes behind
    // those that have one. nDockEntries: the dock bar's array size.
    static void PromoteInRow(const std::vector<CExtBarStateExtra*>& rowExtras, CExtBarStateExtra* pPromoted,
                             int nDockEntries);

private:
    struct ITEM
    {
        EXTROWBARRECORD* pRecord;
        CExtBarStateExtra* pExtra;
        bool bResizable;
        bool bRestorable;
        int nNear, nLength;
        int nAcross, nThickness;
        int nMin, nDesired;
        int nCurNear, nCurLength;
        int Far() const { return nNear + nLength; }
    };

    void PrepareItems(CExtRowBarRecords& records);
    void ReadExtra(ITEM& item, int& nNextId, const std::vector<DWORD>& usedIds);
    int PlacingLength(const ITEM& item) const;
    bool MakeRoom(int nFirst, int nLast, bool& bRebalanced);
    bool CloseGaps(int nFirst, int nLast);
    bool PackAndShrink(int nFirst, int nLast);
    bool Rebalance(int nFirst, int nLast);
    bool IsEndToEnd(int nFirst, int nLast) const;
    int CloseLine(int nFirst, int nLast);
    void RestoreSavedPlaces();
    int ShiftRowRange(int nIndex, int nDelta);
    void MoveAloneTowardSaved(int nIndex);
    int SavedNear(const ITEM& item) const;
    std::vector<int> ByPriority(int nFirst, int nLast) const;
    void ClipToMaximum();
    void WriteBack();

    CExtDockRowBarSource& m_source;
    bool m_bHorz;
    bool m_bFloating;
    CSize m_sizeMax;
    int m_nMax;   // along the row
    std::vector<ITEM> m_items;
};
