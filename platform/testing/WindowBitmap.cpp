#include "WindowBitmap.h"

#include "ScreenPicture.h"

#include <stdlib.h>

bool SaveScreenBitmap(const CRect& rect, LPCTSTR pszPath)
{
    return CScreenPicture(rect).Save(pszPath);
}

bool SaveWindowBitmap(CWnd* pWnd, LPCTSTR pszPath)
{
    CRect rect;
    pWnd->GetWindowRect(&rect);
    return SaveScreenBitmap(rect, pszPath);
}

LPCTSTR ScreenshotFolder()
{
    return getenv("VORN_SCREENSHOT_DIR");
}
