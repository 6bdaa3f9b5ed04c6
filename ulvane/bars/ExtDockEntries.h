// The entries of a dock bar's bar array. Each entry is one of three things:
//   - a row end: NULL;
//   - a placeholder: the control id of a bar that left the dock bar but keeps its slot
//     there for its return; ids are below 0x10000, and no object lives in the first
//     64 KB of the address space (32 or 64 bits), so a value below 0x10000 is an id;
//   - a bar: any other value, a CControlBar*.
// Every walk over a bar array tells the three apart through these helpers.
#pragma once

#include <afxwin.h>

namespace ExtDockEntries
{
enum EKind
{
    eRowEnd,
    ePlaceholder,
    eBar
};

inline EKind KindOf(const void* pEntry)
{
    if (pEntry == NULL)
        return eRowEnd;
    return (UINT_PTR)pEntry < 0x10000 ? ePlaceholder : eBar;
}

inline bool IsRowEnd(const void* pEntry) { return KindOf(pEntry) == eRowEnd; }
inline bool IsPlaceholder(const void* pEntry) { return KindOf(pEntry) == ePlaceholder; }
inline bool IsBar(const void* pEntry) { return KindOf(pEntry) == eBar; }

// The bar of an entry; NULL for a row end or a placeholder.
inline CControlBar* BarOf(void* pEntry)
{
    return IsBar(pEntry) ? (CControlBar*)pEntry : NULL;
}

// The control id a placeholder stands for; 0 for a row end or a bar.
inline UINT PlaceholderID(const void* pEntry)
{
    return IsPlaceholder(pEntry) ? (UINT)(UINT_PTR)pEntry : 0;
}

// The entry that keeps a slot for a bar's control id.
inline void* MakePlaceholder(UINT nID)
{
    return (void*)(UINT_PTR)(nID & 0xFFFF);
}
}
