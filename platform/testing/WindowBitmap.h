// Pictures of windows for the tests and benchmarks that are checked by eye.
#pragma once

#include <afxwin.h>

// Writes what the screen shows in the rectangle (screen coordinates: a window and the
// menu it opened, say) as a 24-bit bitmap file.
bool SaveScreenBitmap(const CRect& rect, LPCTSTR pszPath);
// Writes what the screen shows of the window as a 24-bit bitmap file.
bool SaveWindowBitmap(CWnd* pWnd, LPCTSTR pszPath);
// The folder named by VORN_SCREENSHOT_DIR, or NULL when pictures are not wanted.
LPCTSTR ScreenshotFolder();
