// What the looks ask of a bar.
#include "ExtBarQueries.h"

#include "CExtBarContentExpandButton.h"
#include "CExtDynControlBar.h"
#include "CExtMenuControlBar.h"

bool IsMenuBar(const CExtControlBar* pBar)
{
    return pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(CExtMenuControlBar));
}

bool IsBarVertical(const CExtControlBar* pBar)
{
    return pBar != NULL && (const_cast<CExtControlBar*>(pBar)->GetBarStyle() & CBRS_ORIENT_VERT) != 0;
}

bool IsBarFloating(const CExtControlBar* pBar)
{
    return pBar != NULL && pBar->m_hWnd != NULL && pBar->IsFloating();
}

bool IsContentExpandButton(const CExtBarButton* pButton)
{
    return pButton != NULL && pButton->IsKindOf(RUNTIME_CLASS(CExtBarContentExpandButton));
}

bool IsDynamicContainerBar(const CExtControlBar* pBar)
{
    return pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(CExtDynControlBar));
}
