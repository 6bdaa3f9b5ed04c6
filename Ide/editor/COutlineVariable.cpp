#include "COutlineVariable.h"

COutlineVariable::COutlineVariable(LPCTSTR pszName)
    : COutlineNode(OUTLINE_VARIABLE, pszName), m_pValue(NULL)
{
}
