// CExtAnchorRecord: the anchor arithmetic.
#include "CExtAnchorRecord.h"

CExtAnchorRecord CExtAnchorRecord::Make(const RECT& rcChild, CSize sizeClient, int nLeftTopX, int nLeftTopY,
                                        int nRightBottomX, int nRightBottomY)
{
    if (nRightBottomX == -1 && nRightBottomY == -1)
    {
        nRightBottomX = nLeftTopX;
        nRightBottomY = nLeftTopY;
    }
    CExtAnchorRecord record;
    record.m_nLeftTopX = nLeftTopX;
    record.m_nLeftTopY = nLeftTopY;
    record.m_nRightBottomX = nRightBottomX;
    record.m_nRightBottomY = nRightBottomY;
    record.m_nLeftOffset = rcChild.left - Scale(sizeClient.cx, nLeftTopX);
    record.m_nTopOffset = rcChild.top - Scale(sizeClient.cy, nLeftTopY);
    record.m_nRightOffset = rcChild.right - Scale(sizeClient.cx, nRightBottomX);
    record.m_nBottomOffset = rcChild.bottom - Scale(sizeClient.cy, nRightBottomY);
    return record;
}

CRect CExtAnchorRecord::Place(CSize sizeClient) const
{
    return CRect(Scale(sizeClient.cx, m_nLeftTopX) + m_nLeftOffset, Scale(sizeClient.cy, m_nLeftTopY) + m_nTopOffset,
                 Scale(sizeClient.cx, m_nRightBottomX) + m_nRightOffset,
                 Scale(sizeClient.cy, m_nRightBottomY) + m_nBottomOffset);
}
