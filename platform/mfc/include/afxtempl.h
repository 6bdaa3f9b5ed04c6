// Collection templates: CArray, CList, CMap and the typed pointer wrappers.
//
// Index access out of range (GetAt, SetAt, ElementAt, operator[], RemoveAt,
// InsertAt) raises CInvalidArgException. CMap keeps the platform's hashing and
// iteration order: buckets in order, and in each bucket the newest key first, so the
// same contents built the same way always iterate (and serialize) the same way.
#pragma once
#ifndef VORN_AFXTEMPL_H
#define VORN_AFXTEMPL_H

#include "afx.h"
#include <new>
#include <type_traits>
#include <utility>

/////////////////////////////////////////////////////////////////////////////
// Element helpers (overridable by specialisation, as callers expect)

template<class T, class = void>
struct AfxHasArchiveOperators : std::false_type {};
template<class T>
struct AfxHasArchiveOperators<T, std::void_t<decltype(std::declval<CArchive&>() << std::declval<const T&>()),
                                             decltype(std::declval<CArchive&>() >> std::declval<T&>())>>
    : std::true_type {};

// Plain data travels as its bytes; other types through their archive operators.
// A type with neither cannot be serialized (CNotSupportedException when tried).
template<class TYPE>
void AFXAPI SerializeElements(CArchive& ar, TYPE* pElements, INT_PTR nCount)
{
    if constexpr (std::is_trivially_copyable<TYPE>::value)
    {
        if (ar.IsStoring())
            ar.Write(pElements, (UINT)(nCount * sizeof(TYPE)));
        else
            ar.EnsureRead(pElements, (UINT)(nCount * sizeof(TYPE)));
    }
    else if constexpr (AfxHasArchiveOperators<TYPE>::value)
    {
        for (INT_PTR i = 0; i < nCount; ++i)
        {
            if (ar.IsStoring())
                ar << pElements[i];
            else
                ar >> pElements[i];
        }
    }
    else
    {
        (void)ar;
        (void)pElements;
        if (nCount > 0)
            AfxThrowNotSupportedException();
    }
}

template<>
inline void AFXAPI SerializeElements<CObject*>(CArchive& ar, CObject** pElements, INT_PTR nCount)
{
    for (INT_PTR i = 0; i < nCount; ++i)
    {
        if (ar.IsStoring())
            ar.WriteObject(pElements[i]);
        else
            pElements[i] = ar.ReadObject(NULL);
    }
}

template<class TYPE, class ARG_TYPE>
BOOL AFXAPI CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2)
{
    return *pElement1 == *pElement2;
}

template<class ARG_KEY>
inline UINT AFXAPI HashKey(ARG_KEY key)
{
    return (UINT)(((DWORD_PTR)key) >> 4);
}

// Strings hash by their bytes taken as signed characters, as the platform does.
inline UINT AFXAPI HashStringKey(LPCSTR key)
{
    UINT nHash = 0;
    if (key != NULL)
        while (*key)
            nHash = (nHash << 5) + nHash + (UINT)(int)(signed char)*key++;
    return nHash;
}
template<> inline UINT AFXAPI HashKey<LPCSTR>(LPCSTR key) { return HashStringKey(key); }
template<> inline UINT AFXAPI HashKey<LPSTR>(LPSTR key) { return HashStringKey(key); }
template<> inline UINT AFXAPI HashKey<const CString&>(const CString& key) { return HashStringKey(key); }
template<> inline UINT AFXAPI HashKey<CString>(CString key) { return HashStringKey(key); }

// Loading a count of elements grows the collection by this many at most per step,
// so a corrupt count fails at the end of the data instead of allocating it all.
const INT_PTR AFX_LOAD_CHUNK = 4096;

/////////////////////////////////////////////////////////////////////////////
// CArray

template<class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject
{
public:
    CArray() : m_pData(NULL), m_nSize(0), m_nMaxSize(0), m_nGrowBy(0) {}
    ~CArray() { RemoveAll(); }

    INT_PTR GetSize() const { return m_nSize; }
    INT_PTR GetCount() const { return m_nSize; }
    BOOL IsEmpty() const { return m_nSize == 0; }
    INT_PTR GetUpperBound() const { return m_nSize - 1; }
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);
    void FreeExtra();
    void RemoveAll() { SetSize(0, -1); }

    const TYPE& GetAt(INT_PTR nIndex) const { CheckIndex(nIndex); return m_pData[nIndex]; }
    TYPE& GetAt(INT_PTR nIndex) { CheckIndex(nIndex); return m_pData[nIndex]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { CheckIndex(nIndex); m_pData[nIndex] = newElement; }
    const TYPE& ElementAt(INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& ElementAt(INT_PTR nIndex) { return GetAt(nIndex); }
    const TYPE* GetData() const { return m_pData; }
    TYPE* GetData() { return m_pData; }

    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement);
    INT_PTR Add(ARG_TYPE newElement) { INT_PTR nIndex = m_nSize; SetAtGrow(nIndex, newElement); return nIndex; }
    INT_PTR Append(const CArray& src);
    void Copy(const CArray& src);

    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return GetAt(nIndex); }

    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1);
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);
    void InsertAt(INT_PTR nStartIndex, CArray* pNewArray);

    virtual void Serialize(CArchive& ar);

protected:
    TYPE* m_pData;
    INT_PTR m_nSize;
    INT_PTR m_nMaxSize;
    INT_PTR m_nGrowBy;

private:
    void CheckIndex(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nSize)
            AfxThrowInvalidArgException();
    }
    static TYPE* AllocElements(INT_PTR nCount);
    static void ConstructElements(TYPE* pElements, INT_PTR nCount);
    static void DestructElements(TYPE* pElements, INT_PTR nCount);
    static void RelocateElements(TYPE* pDest, TYPE* pSrc, INT_PTR nCount);
    void Reallocate(INT_PTR nNewMax);
};

template<class TYPE, class ARG_TYPE>
TYPE* CArray<TYPE, ARG_TYPE>::AllocElements(INT_PTR nCount)
{
    if (nCount < 0 || (size_t)nCount > ((size_t)0x7FFFFFFF) / sizeof(TYPE))
        AfxThrowMemoryException();
    void* p = ::operator new((size_t)nCount * sizeof(TYPE), std::nothrow);
    if (p == NULL && nCount > 0)
        AfxThrowMemoryException();
    return static_cast<TYPE*>(p);
}

template<class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::ConstructElements(TYPE* pElements, INT_PTR nCount)
{
    for (INT_PTR i = 0; i < nCount; ++i)
        ::new ((void*)(pElements + i)) TYPE();
}

template<class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::DestructElements(TYPE* pElements, INT_PTR nCount)
{
    for (INT_PTR i = 0; i < nCount; ++i)
        pElements[i].~TYPE();
}

template<class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::RelocateElements(TYPE* pDest, TYPE* pSrc, INT_PTR nCount)
{
    if (nCount <= 0 || pDest == pSrc)
        return;
    if constexpr (std::is_trivially_copyable<TYPE>::value)
    {
        memmove((void*)pDest, (const void*)pSrc, (size_t)nCount * sizeof(TYPE));
    }
    else if (pDest < pSrc)
    {
        for (INT_PTR i = 0; i < nCount; ++i)
        {
            ::new ((void*)(pDest + i)) TYPE(std::move(pSrc[i]));
            pSrc[i].~TYPE();
        }
    }
    else
    {
        for (INT_PTR i = nCount - 1; i >= 0; --i)
        {
            ::new ((void*)(pDest + i)) TYPE(std::move(pSrc[i]));
            pSrc[i].~TYPE();
        }
    }
}

template<class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Reallocate(INT_PTR nNewMax)
{
    TYPE* pNewData = AllocElements(nNewMax);
    RelocateElements(pNewData, m_pData, m_nSize);
    ::operator delete((void*)m_pData);
    m_pData = pNewData;
    m_nMaxSize = nNewMax;
}

template<class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetSize(INT_PTR nNewSize, INT_PTR nGrowBy)
{
    if (nNewSize < 0)
        AfxThrowInvalidArgException();
    if (nGrowBy >= 0)
        m_nGrowBy = nGrowBy;

    if (nNewSize == 0)
    {
        DestructElements(m_pData, m_nSize);
        ::operator delete((void*)m_pData);
        m_pData = NULL;
        m_nSize = m_nMaxSize = 0;
        return;
    }
    if (nNewSize <= m_nMaxSize)
    {
        if (nNewSize > m_nSize)
            ConstructElements(m_pData + m_nSize, nNewSize - m_nSize);
        else if (nNewSize < m_nSize)
            DestructElements(m_pData + nNewSize, m_nSize - nNewSize);
        m_nSize = nNewSize;
        return;
    }
    INT_PTR nGrow = m_nGrowBy;
    if (nGrow == 0)
    {
        // Grow by an eighth of the size, at least 4 elements. No upper cap: a
        // fixed step would make filling a large array quadratic.
        nGrow = m_nSize / 8;
        if (nGrow < 4)
            nGrow = 4;
    }
    INT_PTR nNewMax = m_nMaxSize + nGrow;
    if (nNewSize > nNewMax)
        nNewMax = nNewSize;
    Reallocate(nNewMax);
    ConstructElements(m_pData + m_nSize, nNewSize - m_nSize);
    m_nSize = nNewSize;
}

template<class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::FreeExtra()
{
    if (m_nSize == m_nMaxSize)
        return;
    if (m_nSize == 0)
    {
        ::operator delete((void*)m_pData);
        m_pData = NULL;
        m_nMaxSize = 0;
        return;
    }
    Reallocate(m_nSize);
}

template<class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
{
    if (nIndex < 0)
        AfxThrowInvalidArgException();
    if (nIndex >= m_nSize)
    {
        // The new element may refer into this array; take it before the array moves.
        TYPE value(newElement);
        SetSize(nIndex + 1, -1);
        m_pData[nIndex] = std::move(value);
        return;
    }
    m_pData[nIndex] = newElement;
}

template<class TYPE, class ARG_TYPE>
INT_PTR CArray<TYPE, ARG_TYPE>::Append(const CArray& src)
{
    if (this == &src)
        AfxThrowInvalidArgException();
    INT_PTR nOldSize = m_nSize;
    SetSize(m_nSize + src.m_nSize);
    for (INT_PTR i = 0; i < src.m_nSize; ++i)
        m_pData[nOldSize + i] = src.m_pData[i];
    return nOldSize;
}

template<class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Copy(const CArray& src)
{
    if (this == &src)
        return;
    SetSize(src.m_nSize);
    for (INT_PTR i = 0; i < src.m_nSize; ++i)
        m_pData[i] = src.m_pData[i];
}

template<class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount)
{
    if (nIndex < 0 || nCount < 0)
        AfxThrowInvalidArgException();
    if (nCount == 0)
        return;
    TYPE value(newElement);
    if (nIndex >= m_nSize)
    {
        SetSize(nIndex + nCount, -1);
    }
    else
    {
        INT_PTR nOldSize = m_nSize;
        SetSize(m_nSize + nCount, -1);
        // Move the tail up: destroy the fresh defaults at the end, relocate, re-create the gap.
        DestructElements(m_pData + nOldSize, nCount);
        RelocateElements(m_pData + nIndex + nCount, m_pData + nIndex, nOldSize - nIndex);
        ConstructElements(m_pData + nIndex, nCount);
    }
    for (INT_PTR i = 0; i < nCount; ++i)
        m_pData[nIndex + i] = value;
}

template<class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::RemoveAt(INT_PTR nIndex, INT_PTR nCount)
{
    if (nIndex < 0 || nCount < 0 || nIndex >= m_nSize || nCount > m_nSize - nIndex)
        AfxThrowInvalidArgException();
    if (nCount == 0)
        return;
    INT_PTR nMoveCount = m_nSize - (nIndex + nCount);
    DestructElements(m_pData + nIndex, nCount);
    RelocateElements(m_pData + nIndex, m_pData + nIndex + nCount, nMoveCount);
    m_nSize -= nCount;
}

template<class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nStartIndex, CArray* pNewArray)
{
    if (pNewArray == NULL || nStartIndex < 0 || pNewArray == this)
        AfxThrowInvalidArgException();
    if (pNewArray->GetSize() == 0)
        return;
    InsertAt(nStartIndex, pNewArray->GetAt(0), pNewArray->GetSize());
    for (INT_PTR i = 1; i < pNewArray->GetSize(); ++i)
        SetAt(nStartIndex + i, pNewArray->GetAt(i));
}

template<class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring())
    {
        ar.WriteCount(m_nSize);
        SerializeElements<TYPE>(ar, m_pData, m_nSize);
        return;
    }
    DWORD_PTR nCount = ar.ReadCount();
    SetSize(0);
    for (DWORD_PTR nDone = 0; nDone < nCount;)
    {
        INT_PTR nChunk = (INT_PTR)((nCount - nDone) < (DWORD_PTR)AFX_LOAD_CHUNK ? (nCount - nDone) : AFX_LOAD_CHUNK);
        SetSize((INT_PTR)nDone + nChunk, -1);
        SerializeElements<TYPE>(ar, m_pData + nDone, nChunk);
        nDone += nChunk;
    }
}

/////////////////////////////////////////////////////////////////////////////
// CList

template<class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject
{
protected:
    struct CNode
    {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
        explicit CNode(ARG_TYPE value) : pNext(NULL), pPrev(NULL), data(value) {}
    };

public:
    explicit CList(INT_PTR nBlockSize = 10)
        : m_pNodeHead(NULL), m_pNodeTail(NULL), m_nCount(0), m_nBlockSize(nBlockSize) {}
    ~CList() { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    // On an empty list these raise CInvalidArgException.
    TYPE& GetHead() { return NonEmpty(m_pNodeHead)->data; }
    const TYPE& GetHead() const { return NonEmpty(m_pNodeHead)->data; }
    TYPE& GetTail() { return NonEmpty(m_pNodeTail)->data; }
    const TYPE& GetTail() const { return NonEmpty(m_pNodeTail)->data; }
    TYPE RemoveHead();
    TYPE RemoveTail();

    POSITION AddHead(ARG_TYPE newElement) { return InsertBefore(NULL, newElement); }
    POSITION AddTail(ARG_TYPE newElement) { return InsertAfter(NULL, newElement); }
    void AddHead(CList* pNewList);
    void AddTail(CList* pNewList);
    void RemoveAll();

    POSITION GetHeadPosition() const { return (POSITION)m_pNodeHead; }
    POSITION GetTailPosition() const { return (POSITION)m_pNodeTail; }
    TYPE& GetNext(POSITION& rPosition) { CNode* p = NodeAt(rPosition); rPosition = (POSITION)p->pNext; return p->data; }
    const TYPE& GetNext(POSITION& rPosition) const { CNode* p = NodeAt(rPosition); rPosition = (POSITION)p->pNext; return p->data; }
    TYPE& GetPrev(POSITION& rPosition) { CNode* p = NodeAt(rPosition); rPosition = (POSITION)p->pPrev; return p->data; }
    const TYPE& GetPrev(POSITION& rPosition) const { CNode* p = NodeAt(rPosition); rPosition = (POSITION)p->pPrev; return p->data; }
    TYPE& GetAt(POSITION position) { return NodeAt(position)->data; }
    const TYPE& GetAt(POSITION position) const { return NodeAt(position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { NodeAt(pos)->data = newElement; }
    void RemoveAt(POSITION position);

    // A NULL position inserts at the head (InsertBefore) or the tail (InsertAfter).
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement);
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement);

    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = NULL) const;
    POSITION FindIndex(INT_PTR nIndex) const;

    virtual void Serialize(CArchive& ar);

protected:
    CNode* m_pNodeHead;
    CNode* m_pNodeTail;
    INT_PTR m_nCount;
    INT_PTR m_nBlockSize;

private:
    static CNode* NodeAt(POSITION position)
    {
        if (position == NULL || position == BEFORE_START_POSITION)
            AfxThrowInvalidArgException();
        return (CNode*)position;
    }
    static CNode* NonEmpty(CNode* pNode)
    {
        if (pNode == NULL)
            AfxThrowInvalidArgException();
        return pNode;
    }
    CNode* NewNode(ARG_TYPE value)
    {
        CNode* pNode = new (std::nothrow) CNode(value);
        if (pNode == NULL)
            AfxThrowMemoryException();
        return pNode;
    }
};

template<class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::RemoveHead()
{
    CNode* pOld = NonEmpty(m_pNodeHead);
    TYPE value(std::move(pOld->data));
    RemoveAt((POSITION)pOld);
    return value;
}

template<class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::RemoveTail()
{
    CNode* pOld = NonEmpty(m_pNodeTail);
    TYPE value(std::move(pOld->data));
    RemoveAt((POSITION)pOld);
    return value;
}

template<class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::AddHead(CList* pNewList)
{
    if (pNewList == NULL)
        AfxThrowInvalidArgException();
    // Walk backwards so the other list keeps its order in front of ours.
    POSITION pos = pNewList->GetTailPosition();
    INT_PTR n = pNewList->GetCount();
    while (pos != NULL && n-- > 0)
        AddHead(pNewList->GetPrev(pos));
}

template<class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::AddTail(CList* pNewList)
{
    if (pNewList == NULL)
        AfxThrowInvalidArgException();
    POSITION pos = pNewList->GetHeadPosition();
    INT_PTR n = pNewList->GetCount();
    while (pos != NULL && n-- > 0)
        AddTail(pNewList->GetNext(pos));
}

template<class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAll()
{
    CNode* pNode = m_pNodeHead;
    while (pNode != NULL)
    {
        CNode* pNext = pNode->pNext;
        delete pNode;
        pNode = pNext;
    }
    m_pNodeHead = m_pNodeTail = NULL;
    m_nCount = 0;
}

template<class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAt(POSITION position)
{
    CNode* pOld = NodeAt(position);
    if (pOld->pPrev != NULL)
        pOld->pPrev->pNext = pOld->pNext;
    else
        m_pNodeHead = pOld->pNext;
    if (pOld->pNext != NULL)
        pOld->pNext->pPrev = pOld->pPrev;
    else
        m_pNodeTail = pOld->pPrev;
    delete pOld;
    --m_nCount;
}

template<class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertBefore(POSITION position, ARG_TYPE newElement)
{
    CNode* pNew = NewNode(newElement);
    CNode* pBefore = position == NULL ? m_pNodeHead : NodeAt(position);
    if (pBefore == NULL)
    {
        m_pNodeHead = m_pNodeTail = pNew;
    }
    else
    {
        pNew->pNext = pBefore;
        pNew->pPrev = pBefore->pPrev;
        if (pBefore->pPrev != NULL)
            pBefore->pPrev->pNext = pNew;
        else
            m_pNodeHead = pNew;
        pBefore->pPrev = pNew;
    }
    ++m_nCount;
    return (POSITION)pNew;
}

template<class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertAfter(POSITION position, ARG_TYPE newElement)
{
    CNode* pNew = NewNode(newElement);
    CNode* pAfter = position == NULL ? m_pNodeTail : NodeAt(position);
    if (pAfter == NULL)
    {
        m_pNodeHead = m_pNodeTail = pNew;
    }
    else
    {
        pNew->pPrev = pAfter;
        pNew->pNext = pAfter->pNext;
        if (pAfter->pNext != NULL)
            pAfter->pNext->pPrev = pNew;
        else
            m_pNodeTail = pNew;
        pAfter->pNext = pNew;
    }
    ++m_nCount;
    return (POSITION)pNew;
}

template<class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::Find(ARG_TYPE searchValue, POSITION startAfter) const
{
    CNode* pNode = startAfter == NULL ? m_pNodeHead : NodeAt(startAfter)->pNext;
    for (; pNode != NULL; pNode = pNode->pNext)
        if (CompareElements(&pNode->data, &searchValue))
            return (POSITION)pNode;
    return NULL;
}

template<class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::FindIndex(INT_PTR nIndex) const
{
    if (nIndex < 0 || nIndex >= m_nCount)
        return NULL;
    CNode* pNode = m_pNodeHead;
    while (nIndex-- > 0)
        pNode = pNode->pNext;
    return (POSITION)pNode;
}

template<class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring())
    {
        ar.WriteCount(m_nCount);
        for (CNode* pNode = m_pNodeHead; pNode != NULL; pNode = pNode->pNext)
            SerializeElements<TYPE>(ar, &pNode->data, 1);
        return;
    }
    DWORD_PTR nCount = ar.ReadCount();
    for (DWORD_PTR i = 0; i < nCount; ++i)
    {
        TYPE newData = TYPE();
        SerializeElements<TYPE>(ar, &newData, 1);
        AddTail(newData);
    }
}

/////////////////////////////////////////////////////////////////////////////
// CMap

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject
{
public:
    class CPair
    {
    public:
        const KEY key;
        VALUE value;

    protected:
        explicit CPair(ARG_KEY keyval) : key(keyval), value() {}
    };

protected:
    class CAssoc : public CPair
    {
        friend class CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>;
        CAssoc* pNext;
        UINT nBucket;

    public:
        explicit CAssoc(ARG_KEY key) : CPair(key), pNext(NULL), nBucket(0) {}
    };

public:
    explicit CMap(INT_PTR nBlockSize = 10)
        : m_pHashTable(NULL), m_nHashTableSize(17), m_nCount(0), m_nBlockSize(nBlockSize) {}
    ~CMap() { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const;
    const CPair* PLookup(ARG_KEY key) const;
    CPair* PLookup(ARG_KEY key);
    // Adds the key (value default-constructed) when it is new.
    VALUE& operator[](ARG_KEY key);
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
    BOOL RemoveKey(ARG_KEY key);
    void RemoveAll();

    POSITION GetStartPosition() const { return m_nCount == 0 ? NULL : BEFORE_START_POSITION; }
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const;
    const CPair* PGetFirstAssoc() const { return FirstAssoc(); }
    CPair* PGetFirstAssoc() { return FirstAssoc(); }
    const CPair* PGetNextAssoc(const CPair* pAssocRet) const { return NextAssoc((const CAssoc*)pAssocRet); }
    CPair* PGetNextAssoc(const CPair* pAssocRet) { return NextAssoc((const CAssoc*)pAssocRet); }

    UINT GetHashTableSize() const { return m_nHashTableSize; }
    // Sets the bucket count; only while the map is empty.
    void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE);

    virtual void Serialize(CArchive& ar);

protected:
    CAssoc** m_pHashTable;
    UINT m_nHashTableSize;
    INT_PTR m_nCount;
    INT_PTR m_nBlockSize;

    CAssoc* GetAssocAt(ARG_KEY key, UINT& nBucket) const;

private:
    CAssoc* FirstAssoc() const;
    CAssoc* NextAssoc(const CAssoc* pAssoc) const;
    void AllocHashTable();
};

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::AllocHashTable()
{
    CAssoc** pTable = new (std::nothrow) CAssoc*[m_nHashTableSize];
    if (pTable == NULL)
        AfxThrowMemoryException();
    memset(pTable, 0, sizeof(CAssoc*) * m_nHashTableSize);
    m_pHashTable = pTable;
}

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::InitHashTable(UINT hashSize, BOOL bAllocNow)
{
    if (m_nCount != 0 || hashSize == 0)
        AfxThrowInvalidArgException();
    delete[] m_pHashTable;
    m_pHashTable = NULL;
    m_nHashTableSize = hashSize;
    if (bAllocNow)
        AllocHashTable();
}

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveAll()
{
    if (m_pHashTable != NULL)
    {
        for (UINT n = 0; n < m_nHashTableSize; ++n)
        {
            CAssoc* pAssoc = m_pHashTable[n];
            while (pAssoc != NULL)
            {
                CAssoc* pNext = pAssoc->pNext;
                delete pAssoc;
                pAssoc = pNext;
            }
        }
        delete[] m_pHashTable;
        m_pHashTable = NULL;
    }
    m_nCount = 0;
}

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetAssocAt(ARG_KEY key, UINT& nBucket) const
{
    nBucket = HashKey<ARG_KEY>(key) % m_nHashTableSize;
    if (m_pHashTable == NULL)
        return NULL;
    for (CAssoc* pAssoc = m_pHashTable[nBucket]; pAssoc != NULL; pAssoc = pAssoc->pNext)
        if (CompareElements(&pAssoc->key, &key))
            return pAssoc;
    return NULL;
}

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Lookup(ARG_KEY key, VALUE& rValue) const
{
    UINT nBucket;
    CAssoc* pAssoc = GetAssocAt(key, nBucket);
    if (pAssoc == NULL)
        return FALSE;
    rValue = pAssoc->value;
    return TRUE;
}

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
const typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CPair*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::PLookup(ARG_KEY key) const
{
    UINT nBucket;
    return GetAssocAt(key, nBucket);
}

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CPair*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::PLookup(ARG_KEY key)
{
    UINT nBucket;
    return GetAssocAt(key, nBucket);
}

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
VALUE& CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::operator[](ARG_KEY key)
{
    UINT nBucket;
    CAssoc* pAssoc = GetAssocAt(key, nBucket);
    if (pAssoc != NULL)
        return pAssoc->value;
    if (m_pHashTable == NULL)
        AllocHashTable();
    pAssoc = new (std::nothrow) CAssoc(key);
    if (pAssoc == NULL)
        AfxThrowMemoryException();
    // New keys go in front of their bucket: that order is what iteration shows.
    pAssoc->nBucket = nBucket;
    pAssoc->pNext = m_pHashTable[nBucket];
    m_pHashTable[nBucket] = pAssoc;
    ++m_nCount;
    return pAssoc->value;
}

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveKey(ARG_KEY key)
{
    if (m_pHashTable == NULL)
        return FALSE;
    UINT nBucket = HashKey<ARG_KEY>(key) % m_nHashTableSize;
    for (CAssoc** ppPrev = &m_pHashTable[nBucket]; *ppPrev != NULL; ppPrev = &(*ppPrev)->pNext)
    {
        CAssoc* pAssoc = *ppPrev;
        if (CompareElements(&pAssoc->key, &key))
        {
            *ppPrev = pAssoc->pNext;
            delete pAssoc;
            --m_nCount;
            return TRUE;
        }
    }
    return FALSE;
}

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::FirstAssoc() const
{
    if (m_pHashTable == NULL)
        return NULL;
    for (UINT n = 0; n < m_nHashTableSize; ++n)
        if (m_pHashTable[n] != NULL)
            return m_pHashTable[n];
    return NULL;
}

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::NextAssoc(const CAssoc* pAssoc) const
{
    if (pAssoc == NULL)
        AfxThrowInvalidArgException();
    if (pAssoc->pNext != NULL)
        return pAssoc->pNext;
    for (UINT n = pAssoc->nBucket + 1; n < m_nHashTableSize; ++n)
        if (m_pHashTable[n] != NULL)
            return m_pHashTable[n];
    return NULL;
}

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
{
    if (rNextPosition == NULL)
        AfxThrowInvalidArgException();
    const CAssoc* pAssoc = rNextPosition == BEFORE_START_POSITION ? FirstAssoc() : (const CAssoc*)rNextPosition;
    if (pAssoc == NULL)
        AfxThrowInvalidArgException();
    rKey = pAssoc->key;
    rValue = pAssoc->value;
    rNextPosition = (POSITION)NextAssoc(pAssoc);
}

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring())
    {
        ar.WriteCount(m_nCount);
        for (CAssoc* pAssoc = FirstAssoc(); pAssoc != NULL; pAssoc = NextAssoc(pAssoc))
        {
            SerializeElements<KEY>(ar, const_cast<KEY*>(&pAssoc->key), 1);
            SerializeElements<VALUE>(ar, &pAssoc->value, 1);
        }
        return;
    }
    DWORD_PTR nNewCount = ar.ReadCount();
    for (DWORD_PTR i = 0; i < nNewCount; ++i)
    {
        KEY newKey = KEY();
        VALUE newValue = VALUE();
        SerializeElements<KEY>(ar, &newKey, 1);
        SerializeElements<VALUE>(ar, &newValue, 1);
        SetAt(newKey, newValue);
    }
}

/////////////////////////////////////////////////////////////////////////////
// Typed pointer wrappers over the pointer collections

template<class BASE_CLASS, class TYPE>
class CTypedPtrArray : public BASE_CLASS
{
public:
    TYPE GetAt(INT_PTR nIndex) const { return (TYPE)BASE_CLASS::GetAt(nIndex); }
    TYPE& ElementAt(INT_PTR nIndex) { return (TYPE&)BASE_CLASS::ElementAt(nIndex); }
    void SetAt(INT_PTR nIndex, TYPE ptr) { BASE_CLASS::SetAt(nIndex, ptr); }
    void SetAtGrow(INT_PTR nIndex, TYPE newElement) { BASE_CLASS::SetAtGrow(nIndex, newElement); }
    INT_PTR Add(TYPE newElement) { return BASE_CLASS::Add(newElement); }
    INT_PTR Append(const CTypedPtrArray& src) { return BASE_CLASS::Append(src); }
    void Copy(const CTypedPtrArray& src) { BASE_CLASS::Copy(src); }
    void InsertAt(INT_PTR nIndex, TYPE newElement, INT_PTR nCount = 1) { BASE_CLASS::InsertAt(nIndex, newElement, nCount); }
    void InsertAt(INT_PTR nStartIndex, CTypedPtrArray* pNewArray) { BASE_CLASS::InsertAt(nStartIndex, pNewArray); }
    TYPE operator[](INT_PTR nIndex) const { return (TYPE)BASE_CLASS::operator[](nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return (TYPE&)BASE_CLASS::operator[](nIndex); }
};

template<class BASE_CLASS, class TYPE>
class CTypedPtrList : public BASE_CLASS
{
public:
    explicit CTypedPtrList(INT_PTR nBlockSize = 10) : BASE_CLASS(nBlockSize) {}

    TYPE& GetHead() { return (TYPE&)BASE_CLASS::GetHead(); }
    TYPE GetHead() const { return (TYPE)BASE_CLASS::GetHead(); }
    TYPE& GetTail() { return (TYPE&)BASE_CLASS::GetTail(); }
    TYPE GetTail() const { return (TYPE)BASE_CLASS::GetTail(); }
    TYPE RemoveHead() { return (TYPE)BASE_CLASS::RemoveHead(); }
    TYPE RemoveTail() { return (TYPE)BASE_CLASS::RemoveTail(); }
    POSITION AddHead(TYPE newElement) { return BASE_CLASS::AddHead(newElement); }
    POSITION AddTail(TYPE newElement) { return BASE_CLASS::AddTail(newElement); }
    void AddHead(CTypedPtrList* pNewList) { BASE_CLASS::AddHead(pNewList); }
    void AddTail(CTypedPtrList* pNewList) { BASE_CLASS::AddTail(pNewList); }
    TYPE& GetNext(POSITION& rPosition) { return (TYPE&)BASE_CLASS::GetNext(rPosition); }
    TYPE GetNext(POSITION& rPosition) const { return (TYPE)BASE_CLASS::GetNext(rPosition); }
    TYPE& GetPrev(POSITION& rPosition) { return (TYPE&)BASE_CLASS::GetPrev(rPosition); }
    TYPE GetPrev(POSITION& rPosition) const { return (TYPE)BASE_CLASS::GetPrev(rPosition); }
    TYPE& GetAt(POSITION position) { return (TYPE&)BASE_CLASS::GetAt(position); }
    TYPE GetAt(POSITION position) const { return (TYPE)BASE_CLASS::GetAt(position); }
    void SetAt(POSITION pos, TYPE newElement) { BASE_CLASS::SetAt(pos, newElement); }
    POSITION InsertBefore(POSITION position, TYPE newElement) { return BASE_CLASS::InsertBefore(position, newElement); }
    POSITION InsertAfter(POSITION position, TYPE newElement) { return BASE_CLASS::InsertAfter(position, newElement); }
};

template<class BASE_CLASS, class KEY, class VALUE>
class CTypedPtrMap : public BASE_CLASS
{
public:
    explicit CTypedPtrMap(INT_PTR nBlockSize = 10) : BASE_CLASS(nBlockSize) {}

    BOOL Lookup(typename BASE_CLASS::BASE_ARG_KEY key, VALUE& rValue) const
    {
        void* pValue = NULL;
        BOOL bFound = BASE_CLASS::Lookup(key, pValue);
        rValue = (VALUE)pValue;
        return bFound;
    }
    VALUE& operator[](typename BASE_CLASS::BASE_ARG_KEY key) { return (VALUE&)BASE_CLASS::operator[](key); }
    void SetAt(KEY key, VALUE newValue) { BASE_CLASS::SetAt(key, newValue); }
    BOOL RemoveKey(KEY key) { return BASE_CLASS::RemoveKey(key); }
    void GetNextAssoc(POSITION& rPosition, KEY& rKey, VALUE& rValue) const
    {
        typename BASE_CLASS::BASE_KEY baseKey;
        void* pValue = NULL;
        BASE_CLASS::GetNextAssoc(rPosition, baseKey, pValue);
        rKey = (KEY)baseKey;
        rValue = (VALUE)pValue;
    }
};

#endif
