// CNameSortedArray: a pointer array of items that each give a name; Sort orders the
// items by name without regard to case.
#pragma once

#include <afx.h>
#include <afxcoll.h>

class CNameSortedArray : public CPtrArray
{
public:
    virtual ~CNameSortedArray() {}

    // Ascending by name, compared without regard to case (multibyte aware); items with
    // equal names keep their order.
    void Sort();

protected:
    // The name of one item of the array.
    virtual LPCTSTR GetItemName(void* pItem) const = 0;
};
