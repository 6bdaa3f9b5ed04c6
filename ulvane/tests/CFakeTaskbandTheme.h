// CFakeTaskbandTheme: a themed system's taskband colours handed to the looks through
// the paint manager holder's theme calls, in place of the system's (Wine has none).
// As an object it holds for one scope and puts the holder's own calls back.
#pragma once

#include "CExtPaintManagerHolder.h"

class CFakeTaskbandTheme
{
public:
    // The colours the gradient look reads: T1 (3804), T3 (3806), T6 (3821), T7 (3823).
    struct Colors
    {
        const char* pszName;
        COLORREF t1, t3, t6, t7;
    };
    // The blue, olive and silver themes.
    static const Colors s_arrThemes[3];

    explicit CFakeTaskbandTheme(const Colors& colors) { Use(colors); }
    ~CFakeTaskbandTheme() { UseSystemTheme(); }
    CFakeTaskbandTheme(const CFakeTaskbandTheme&) = delete;
    CFakeTaskbandTheme& operator=(const CFakeTaskbandTheme&) = delete;

    // The holder takes its theme calls from here and reads the colours at once.
    static void Use(const Colors& colors);
    // What the calls answer from now on, as when the system's theme changes; the
    // holder reads it at its next theme change.
    static void Change(const Colors& colors);
    // The holder's own calls again, its theme data read anew.
    static void UseSystemTheme();
};
