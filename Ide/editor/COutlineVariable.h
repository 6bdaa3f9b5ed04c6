// COutlineVariable: a variable of the outline: a global, a function's local or a table field.
#pragma once

#include "COutlineNode.h"

class COutlineVariable : public COutlineNode
{
public:
    explicit COutlineVariable(LPCTSTR pszName);

    void* m_pValue; // reserved; stays NULL
};
