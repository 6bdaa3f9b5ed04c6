#include <afxcoll.h>

IMPLEMENT_DYNAMIC(CPtrArray, CObject)
IMPLEMENT_SERIAL(CObArray, CObject, 0)
IMPLEMENT_SERIAL(CStringArray, CObject, 0)
IMPLEMENT_SERIAL(CByteArray, CObject, 0)
IMPLEMENT_SERIAL(CDWordArray, CObject, 0)
IMPLEMENT_DYNAMIC(CUIntArray, CObject)
IMPLEMENT_DYNAMIC(CPtrList, CObject)
IMPLEMENT_SERIAL(CStringList, CObject, 0)
IMPLEMENT_DYNAMIC(CMapStringToPtr, CObject)
IMPLEMENT_DYNAMIC(CMapPtrToPtr, CObject)
IMPLEMENT_DYNAMIC(CMapWordToPtr, CObject)

BOOL CMapStringToPtr::LookupKey(LPCSTR key, LPCSTR& rKey) const
{
    UINT nBucket;
    CAssoc* pAssoc = GetAssocAt(key, nBucket);
    if (pAssoc == NULL)
        return FALSE;
    rKey = pAssoc->key;
    return TRUE;
}
