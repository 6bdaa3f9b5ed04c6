// Growable arrays of the debug client: DynArray holds untyped pointers (it does not
// own what they point to), SimpleArray<T> holds plain values. Both allocate with
// nothrow new: the library never throws, so a failed allocation is a false result.
#ifndef VORN_DEBUGCLIENT_DYNARRAY_H
#define VORN_DEBUGCLIENT_DYNARRAY_H

#include <cassert>
#include <cstring>
#include <new>

class DynArray
{
public:
    DynArray();
    ~DynArray();

    int GetCount() const { return m_nSize; }
    int GetCapacity() const { return m_nMaxSize; }
    void* Get(int nIndex) const
    {
        assert(nIndex >= 0 && nIndex < m_nSize);
        return m_pData[nIndex];
    }

    // growBy other than -1 replaces the grow-by step (0 = automatic).
    bool Resize(int nNewSize, int nGrowBy = -1);
    bool SetAt(int nIndex, void* pElement);
    int Add(void* pElement);   // index of the new element, -1 when out of memory
    void RemoveAll() { Resize(0); }

private:
    DynArray(const DynArray&) = delete;
    DynArray& operator=(const DynArray&) = delete;

    int AutomaticStep() const;

    void** m_pData;
    int m_nSize;
    int m_nMaxSize;
    int m_nGrowBy;
};

template <class T>
class SimpleArray
{
public:
    SimpleArray() : m_iCapacity(0), m_iCurEntries(0), m_pItems(nullptr), m_fGrowth(2.0f) {}
    ~SimpleArray() { Clear(); }

    int Count() const { return m_iCurEntries; }
    int Capacity() const { return m_iCapacity; }

    const T& Get(int i) const
    {
        assert(i >= 0 && i < m_iCurEntries);
        return m_pItems[i];
    }
    T& Get(int i)
    {
        assert(i >= 0 && i < m_iCurEntries);
        return m_pItems[i];
    }

    bool Push(const T& value)
    {
        if (m_iCurEntries == m_iCapacity && !Grow())
            return false;
        m_pItems[m_iCurEntries++] = value;
        return true;
    }

    // Keeps the order of the remaining elements.
    bool RemoveAt(int i)
    {
        if (i < 0 || i >= m_iCurEntries)
            return false;
        for (int k = i + 1; k < m_iCurEntries; ++k)
            m_pItems[k - 1] = m_pItems[k];
        --m_iCurEntries;
        return true;
    }

    // The last element takes the place of element i.
    bool RemoveSwap(int i)
    {
        if (i < 0 || i >= m_iCurEntries)
            return false;
        m_pItems[i] = m_pItems[m_iCurEntries - 1];
        --m_iCurEntries;
        return true;
    }

    int Find(const T& value) const
    {
        for (int i = 0; i < m_iCurEntries; ++i)
            if (m_pItems[i] == value)
                return i;
        return -1;
    }

    void Clear()
    {
        delete[] m_pItems;
        m_pItems = nullptr;
        m_iCapacity = 0;
        m_iCurEntries = 0;
    }

private:
    SimpleArray(const SimpleArray&) = delete;
    SimpleArray& operator=(const SimpleArray&) = delete;

    bool Grow()
    {
        int newCapacity = m_iCapacity == 0 ? 2 : int(m_iCapacity * m_fGrowth);
        if (newCapacity < m_iCurEntries + 1)
            newCapacity = m_iCurEntries + 1;
        T* items = new (std::nothrow) T[newCapacity];
        if (!items)
            return false;
        for (int k = 0; k < m_iCurEntries; ++k)
            items[k] = m_pItems[k];
        delete[] m_pItems;
        m_pItems = items;
        m_iCapacity = newCapacity;
        return true;
    }

    int m_iCapacity;
    int m_iCurEntries;
    T* m_pItems;
    float m_fGrowth;
};

#endif
