// Menu captions made of the user's own texts (tool titles, hotlist entries): every "&"
// is doubled, so it shows as itself and never becomes a mnemonic.
#pragma once

#include <afx.h>

CString MenuCaptionOf(LPCTSTR pszText);
