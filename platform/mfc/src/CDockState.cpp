// Saved docking state of a frame: a versioned list of bar records.
#include <afxadv.h>

IMPLEMENT_SERIAL(CDockState, CObject, 1)

CDockState::CDockState()
    : m_dwVersion(nCurrentVersion)
{
}

CDockState::~CDockState()
{
    Clear();
}

void CDockState::Clear()
{
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); i++)
        delete (CControlBarInfo*)m_arrBarInfo[i];
    m_arrBarInfo.RemoveAll();
}

void CDockState::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << (WORD)nCurrentVersion << (DWORD)m_arrBarInfo.GetSize();
        for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); i++)
            ((CControlBarInfo*)m_arrBarInfo[i])->Serialize(ar, this);
        return;
    }

    Clear();
    WORD wVersion;
    ar >> wVersion;
    if (wVersion == 0 || wVersion > nCurrentVersion)
        AfxThrowArchiveException(CArchiveException::badSchema, ar.m_strFileName);
    m_dwVersion = wVersion;

    DWORD dwCount;
    ar >> dwCount;
    // No frame has more bars: a larger count comes from a damaged stream.
    if (dwCount > nMaxEntries)
        AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
    for (DWORD i = 0; i < dwCount; i++)
    {
        CControlBarInfo* pInfo = new CControlBarInfo;
        m_arrBarInfo.Add(pInfo);       // owned before reading, so a failed read frees it
        pInfo->Serialize(ar, this);
    }
}
