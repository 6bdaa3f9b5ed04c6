// CPtrArrayHolder: a small record of one pointer array, one pointer and one integer.
// The outline's functions keep their owner records in it (pointer: the node, integer:
// the record's re-parse state).
#pragma once

#include <afx.h>
#include <afxcoll.h>

class CPtrArrayHolder
{
public:
    CPtrArrayHolder() : m_pItem(NULL), m_nValue(0) {}
    explicit CPtrArrayHolder(void* pItem, int nValue = 0) : m_pItem(pItem), m_nValue(nValue) {}

    CPtrArray m_array;
    void* m_pItem;
    int m_nValue;

private:
    CPtrArrayHolder(const CPtrArrayHolder&) = delete;
    CPtrArrayHolder& operator=(const CPtrArrayHolder&) = delete;
};
