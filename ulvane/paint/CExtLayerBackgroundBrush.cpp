// CExtLayerBackgroundBrush: one solid brush, kept in step with the look's colour.
#include "CExtLayerBackgroundBrush.h"

int CExtLayerBackgroundBrush::s_nLive = 0;

CExtLayerBackgroundBrush::CExtLayerBackgroundBrush() : m_clr(CLR_INVALID)
{
    ++s_nLive;
}

CExtLayerBackgroundBrush::~CExtLayerBackgroundBrush()
{
    m_brush.DeleteObject();
    --s_nLive;
}

HBRUSH CExtLayerBackgroundBrush::Get(COLORREF clr)
{
    if (m_brush.GetSafeHandle() != NULL && clr == m_clr)
        return (HBRUSH)m_brush.GetSafeHandle();
    m_brush.DeleteObject();
    m_clr = CLR_INVALID;
    if (!m_brush.CreateSolidBrush(clr))
        return NULL;
    m_clr = clr;
    return (HBRUSH)m_brush.GetSafeHandle();
}
