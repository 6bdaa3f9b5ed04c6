// The non-template collections of the class library. They are the templates of
// afxtempl.h with the platform's names, run-time classes and element types.
#pragma once
#ifndef VORN_AFXCOLL_H
#define VORN_AFXCOLL_H

#include "afxtempl.h"

class CPtrArray : public CArray<void*, void*>
{
    DECLARE_DYNAMIC(CPtrArray)
};

class CObArray : public CArray<CObject*, CObject*>
{
    DECLARE_SERIAL(CObArray)
};

class CStringArray : public CArray<CString, const CString&>
{
    DECLARE_SERIAL(CStringArray)
public:
    INT_PTR Add(LPCSTR newElement) { return CArray<CString, const CString&>::Add(CString(newElement)); }
    INT_PTR Add(const CString& newElement) { return CArray<CString, const CString&>::Add(newElement); }
};

class CByteArray : public CArray<BYTE, BYTE>
{
    DECLARE_SERIAL(CByteArray)
};

class CDWordArray : public CArray<DWORD, DWORD>
{
    DECLARE_SERIAL(CDWordArray)
};

class CUIntArray : public CArray<UINT, UINT>
{
    DECLARE_DYNAMIC(CUIntArray)
};

class CPtrList : public CList<void*, void*>
{
    DECLARE_DYNAMIC(CPtrList)
public:
    explicit CPtrList(INT_PTR nBlockSize = 10) : CList<void*, void*>(nBlockSize) {}
};

class CStringList : public CList<CString, const CString&>
{
    DECLARE_SERIAL(CStringList)
public:
    explicit CStringList(INT_PTR nBlockSize = 10) : CList<CString, const CString&>(nBlockSize) {}
    POSITION AddHead(LPCSTR newElement) { return CList<CString, const CString&>::AddHead(CString(newElement)); }
    POSITION AddHead(const CString& newElement) { return CList<CString, const CString&>::AddHead(newElement); }
    void AddHead(CStringList* pNewList) { CList<CString, const CString&>::AddHead(pNewList); }
    POSITION AddTail(LPCSTR newElement) { return CList<CString, const CString&>::AddTail(CString(newElement)); }
    POSITION AddTail(const CString& newElement) { return CList<CString, const CString&>::AddTail(newElement); }
    void AddTail(CStringList* pNewList) { CList<CString, const CString&>::AddTail(pNewList); }
};

class CMapStringToPtr : public CMap<CString, LPCSTR, void*, void*>
{
    DECLARE_DYNAMIC(CMapStringToPtr)
public:
    typedef CString BASE_KEY;
    typedef LPCSTR BASE_ARG_KEY;
    explicit CMapStringToPtr(INT_PTR nBlockSize = 10) : CMap<CString, LPCSTR, void*, void*>(nBlockSize) {}
    // Finds the stored key equal to the given one.
    BOOL LookupKey(LPCSTR key, LPCSTR& rKey) const;
};

class CMapPtrToPtr : public CMap<void*, void*, void*, void*>
{
    DECLARE_DYNAMIC(CMapPtrToPtr)
public:
    typedef void* BASE_KEY;
    typedef void* BASE_ARG_KEY;
    explicit CMapPtrToPtr(INT_PTR nBlockSize = 10) : CMap<void*, void*, void*, void*>(nBlockSize) {}
};

class CMapWordToPtr : public CMap<WORD, WORD, void*, void*>
{
    DECLARE_DYNAMIC(CMapWordToPtr)
public:
    typedef WORD BASE_KEY;
    typedef WORD BASE_ARG_KEY;
    explicit CMapWordToPtr(INT_PTR nBlockSize = 10) : CMap<WORD, WORD, void*, void*>(nBlockSize) {}
};

#endif
