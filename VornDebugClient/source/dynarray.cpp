#include "dynarray.h"

DynArray::DynArray() : m_pData(nullptr), m_nSize(0), m_nMaxSize(0), m_nGrowBy(0)
{
}

DynArray::~DynArray()
{
    delete[] m_pData;
}

int DynArray::AutomaticStep() const
{
    int step = m_nSize / 8;
    if (step < 4)
        step = 4;
    if (step > 1024)
        step = 1024;
    return step;
}

bool DynArray::Resize(int nNewSize, int nGrowBy)
{
    if (nGrowBy != -1)
        m_nGrowBy = nGrowBy;
    if (nNewSize < 0)
        return false;

    if (nNewSize == 0)
    {
        delete[] m_pData;
        m_pData = nullptr;
        m_nSize = 0;
        m_nMaxSize = 0;
        return true;
    }

    if (!m_pData)
    {
        m_pData = new (std::nothrow) void*[nNewSize];
        if (!m_pData)
            return false;
        std::memset(m_pData, 0, sizeof(void*) * nNewSize);
        m_nSize = nNewSize;
        m_nMaxSize = nNewSize;
        return true;
    }

    if (nNewSize <= m_nMaxSize)
    {
        if (nNewSize > m_nSize)
            std::memset(m_pData + m_nSize, 0, sizeof(void*) * (nNewSize - m_nSize));
        m_nSize = nNewSize;
        return true;
    }

    int step = m_nGrowBy != 0 ? m_nGrowBy : AutomaticStep();
    int newMax = m_nMaxSize + step;
    if (newMax < nNewSize)
        newMax = nNewSize;
    void** data = new (std::nothrow) void*[newMax];
    if (!data)
        return false;
    std::memcpy(data, m_pData, sizeof(void*) * m_nSize);
    std::memset(data + m_nSize, 0, sizeof(void*) * (newMax - m_nSize));
    delete[] m_pData;
    m_pData = data;
    m_nSize = nNewSize;
    m_nMaxSize = newMax;
    return true;
}

bool DynArray::SetAt(int nIndex, void* pElement)
{
    if (nIndex < 0)
        return false;
    if (nIndex >= m_nSize && !Resize(nIndex + 1))
        return false;
    m_pData[nIndex] = pElement;
    return true;
}

int DynArray::Add(void* pElement)
{
    int index = m_nSize;
    return SetAt(index, pElement) ? index : -1;
}
