#include "CFakeTaskbandTheme.h"

const CFakeTaskbandTheme::Colors CFakeTaskbandTheme::s_arrThemes[3] = {
    {"blue", RGB(49, 106, 197), RGB(99, 137, 213), RGB(158, 190, 245), RGB(255, 189, 105)},
    {"olive", RGB(144, 153, 98), RGB(183, 198, 145), RGB(217, 217, 167), RGB(255, 189, 105)},
    {"silver", RGB(165, 164, 189), RGB(201, 201, 216), RGB(224, 223, 227), RGB(255, 189, 105)},
};

namespace
{
// The taskband properties the holder reads, and what the fake theme answers for each.
// The ones no look reads answer a colour no theme has, so a look that used one shows.
const int arrProperties[CExtPaintManagerHolder::nTaskbandColorCount] = {3804, 3805, 3806, 3807, 3808, 3821, 3823};
COLORREF g_arrAnswers[CExtPaintManagerHolder::nTaskbandColorCount];

BOOL WINAPI FakeIsAppThemed()
{
    return TRUE;
}
HTHEME WINAPI FakeOpenThemeData(HWND, LPCWSTR)
{
    return (HTHEME)(INT_PTR)0x47;
}
HRESULT WINAPI FakeCloseThemeData(HTHEME)
{
    return S_OK;
}
HRESULT WINAPI FakeGetThemeColor(HTHEME, int, int, int nProperty, COLORREF* pColor)
{
    for (int i = 0; i < CExtPaintManagerHolder::nTaskbandColorCount; i++)
    {
        if (arrProperties[i] == nProperty)
        {
            *pColor = g_arrAnswers[i];
            return S_OK;
        }
    }
    return E_FAIL;
}
} // namespace

void CFakeTaskbandTheme::Change(const Colors& colors)
{
    for (COLORREF& clr : g_arrAnswers)
        clr = RGB(7, 7, 7);
    g_arrAnswers[0] = colors.t1;
    g_arrAnswers[2] = colors.t3;
    g_arrAnswers[5] = colors.t6;
    g_arrAnswers[6] = colors.t7;
}

void CFakeTaskbandTheme::Use(const Colors& colors)
{
    Change(colors);
    static const CExtPaintManagerHolder::ThemeCalls calls = {FakeIsAppThemed, FakeOpenThemeData, FakeCloseThemeData,
                                                             FakeGetThemeColor};
    g_PaintManagerHolder.SetThemeCallsForTest(&calls);
}

void CFakeTaskbandTheme::UseSystemTheme()
{
    g_PaintManagerHolder.SetThemeCallsForTest(NULL);
}
