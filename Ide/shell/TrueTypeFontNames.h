// The TrueType font families installed, as the Fonts and Colors page offers them.
#pragma once

#include <afx.h>
#include <afxcoll.h>

// Every TrueType family of any character set once, sorted without regard to case;
// the vertical "@" variants are left out.
void GetTrueTypeFontNames(CStringArray& names);
