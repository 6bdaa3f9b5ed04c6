// One bar's record in a saved docking state; the stream is described in afxadv.h.
#include <afxadv.h>

namespace
{
enum
{
    flagVisible = 0x01,
    flagFloating = 0x02,
    flagHorz = 0x04,
    flagDockBar = 0x08,
    flagDocking = 0x10
};

BYTE PackFlags(const CControlBarInfo& info)
{
    BYTE flags = 0;
    if (info.m_bVisible)
        flags |= flagVisible;
    if (info.m_bFloating)
        flags |= flagFloating;
    if (info.m_bHorz)
        flags |= flagHorz;
    if (info.m_bDockBar)
        flags |= flagDockBar;
    if (info.m_bDocking)
        flags |= flagDocking;
    return flags;
}

void UnpackFlags(CControlBarInfo& info, BYTE flags)
{
    info.m_bVisible = (flags & flagVisible) != 0;
    info.m_bFloating = (flags & flagFloating) != 0;
    info.m_bHorz = (flags & flagHorz) != 0;
    info.m_bDockBar = (flags & flagDockBar) != 0;
    info.m_bDocking = (flags & flagDocking) != 0;
}
}

CControlBarInfo::CControlBarInfo()
    : m_nBarID(0), m_bVisible(FALSE), m_bFloating(FALSE), m_bHorz(FALSE), m_bDockBar(FALSE),
      m_nMRUWidth(32767), m_bDocking(FALSE), m_uMRUDockID(0), m_dwMRUFloatStyle(0), m_pBar(NULL)
{
}

void CControlBarInfo::Serialize(CArchive& ar, CDockState* /*pDockState*/)
{
    if (ar.IsStoring())
    {
        ar << (DWORD)m_nBarID << PackFlags(*this) << m_pointPos << (DWORD)m_nMRUWidth;
        if (m_bDocking)
        {
            ar << (DWORD)m_uMRUDockID << m_rectMRUDockPos << m_dwMRUFloatStyle << m_ptMRUFloatPos;
        }
        if (m_bDockBar)
        {
            ar << (DWORD)m_arrBarID.GetSize();
            for (INT_PTR i = 0; i < m_arrBarID.GetSize(); i++)
                ar << m_arrBarID[i];
        }
        return;
    }

    DWORD dwBarID, dwMRUWidth;
    BYTE flags;
    ar >> dwBarID >> flags >> m_pointPos >> dwMRUWidth;
    m_nBarID = dwBarID;
    m_nMRUWidth = dwMRUWidth;
    UnpackFlags(*this, flags);
    if (m_bDocking)
    {
        DWORD dwMRUDockID;
        ar >> dwMRUDockID >> m_rectMRUDockPos >> m_dwMRUFloatStyle >> m_ptMRUFloatPos;
        m_uMRUDockID = dwMRUDockID;
    }
    m_arrBarID.RemoveAll();
    if (m_bDockBar)
    {
        DWORD dwCount;
        ar >> dwCount;
        if (dwCount > CDockState::nMaxEntries)
            AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
        // Entries are added as they arrive, so a damaged count cannot make us
        // allocate more than the stream really holds.
        for (DWORD i = 0; i < dwCount; i++)
        {
            DWORD dwEntry;
            ar >> dwEntry;
            m_arrBarID.Add(dwEntry);
        }
    }
}
