// The looks: colour ids and their translation, the colour arithmetic, and the holder.
#include "ulvanetest.h"

#include "CExtPaintManagerHolder.h"
#include "CExtPaintManagerOffice2003.h"
#include "CExtPaintManagerXP.h"

namespace
{
// A look as the holder would install it.
template<class T>
std::unique_ptr<T> MakeLook()
{
    std::unique_ptr<T> p(new T);
    p->SyncSystemResources();
    p->InitTranslatedColors();
    return p;
}
}

TEST(PaintManagerTest, IdsOutsideTheTablesGiveTheFaceColour)
{
    auto pClassic = MakeLook<CExtPaintManager>();
    const COLORREF clrFace = ::GetSysColor(COLOR_3DFACE);
    EXPECT_EQ(clrFace, pClassic->GetColor(-5));
    EXPECT_EQ(clrFace, pClassic->GetColor(60));
    EXPECT_EQ(clrFace, pClassic->GetColor(4711));
    // The classic look maps the selection to an entry beyond its table.
    EXPECT_EQ(clrFace, pClassic->GetColor(1001));
    EXPECT_EQ(::GetSysColor(COLOR_BTNTEXT), pClassic->GetColor(1010));
    EXPECT_EQ(::GetSysColorBrush(COLOR_3DFACE), pClassic->GetBrush(77));
}

TEST(PaintManagerTest, TheFlatLookMixesItsOwnColours)
{
    if (GetScreenColorDepth() <= 8)
        GTEST_SKIP() << "a palette screen has no mixed colours";
    auto pXP = MakeLook<CExtPaintManagerXP>();
    const COLORREF clrFace = ::GetSysColor(COLOR_3DFACE);
    EXPECT_NE(clrFace, pXP->GetColor(1001));
    EXPECT_EQ(CExtPaintManager::HLSAdjust(::GetSysColor(COLOR_HIGHLIGHT), 0, 0.75, -0.75), pXP->GetColor(1001));
    EXPECT_EQ(RGB(0, 0, 0), pXP->GetColor(1011));
    EXPECT_EQ(pXP->GetColor(1002), pXP->GetColor(1009));
    EXPECT_EQ(::GetSysColor(COLOR_3DDKSHADOW), pXP->GetColor(2007));

    // A look installed again starts from the system colours, not from its old ones.
    const COLORREF clrSelect = pXP->GetColor(1001);
    pXP->InitTranslatedColors();
    EXPECT_EQ(clrSelect, pXP->GetColor(1001));

    auto pOffice = MakeLook<CExtPaintManagerOffice2003>();
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), pOffice->GetColor(3000));
    EXPECT_EQ(CExtPaintManager::HLSAdjust(::GetSysColor(COLOR_3DFACE), 0, -0.2, 0), pOffice->GetColor(3011));
    EXPECT_EQ(pOffice->GetColor(2000), pOffice->GetColor(3016));
    EXPECT_TRUE(pOffice->IsBackgroundCustomized());
    EXPECT_FALSE(pXP->IsBackgroundCustomized());
}

TEST(PaintManagerTest, ColourArithmeticKeepsGreysAndUnchangedColours)
{
    for (COLORREF clr : {RGB(10, 200, 90), RGB(255, 0, 0), RGB(17, 34, 240)})
    {
        COLORREF clrSame = CExtPaintManager::HLSAdjust(clr, 0, 0, 0);
        EXPECT_NEAR(GetRValue(clr), GetRValue(clrSame), 1);
        EXPECT_NEAR(GetGValue(clr), GetGValue(clrSame), 1);
        EXPECT_NEAR(GetBValue(clr), GetBValue(clrSame), 1);
    }
    COLORREF clrGrey = CExtPaintManager::HLSAdjust(RGB(100, 100, 100), 0, 0.5, 0);
    EXPECT_EQ(GetRValue(clrGrey), GetGValue(clrGrey));
    EXPECT_EQ(GetGValue(clrGrey), GetBValue(clrGrey));
    EXPECT_GT(GetRValue(clrGrey), 100);
    // Full lightness is white, up to the truncation of each channel.
    COLORREF clrWhite = CExtPaintManager::HLSAdjust(RGB(30, 60, 90), 0, 1.0, 0);
    EXPECT_GE(GetRValue(clrWhite), 254);
    EXPECT_GE(GetGValue(clrWhite), 254);
    EXPECT_GE(GetBValue(clrWhite), 254);
}

TEST(PaintManagerHolderTest, InstallingTakesOwnershipAndTheCurrentLookStays)
{
    CExtPaintManagerHolder holder;
    EXPECT_TRUE(holder.GetPaintManager()->IsKindOf(RUNTIME_CLASS(CExtPaintManagerXP)));
    EXPECT_FALSE(holder.GetPaintManager()->IsKindOf(RUNTIME_CLASS(CExtPaintManagerOffice2003)));

    CExtPaintManager* pOffice = new CExtPaintManagerOffice2003;
    EXPECT_TRUE(holder.InstallPaintManager(pOffice));
    EXPECT_EQ(pOffice, holder.GetPaintManager());
    EXPECT_TRUE(holder.InstallPaintManager(pOffice));
    EXPECT_EQ(pOffice, holder.GetPaintManager());
    EXPECT_EQ(RUNTIME_CLASS(CExtPaintManagerOffice2003), holder->GetRuntimeClass());

    EXPECT_TRUE(holder.InstallPaintManager(new CExtPaintManager));
    EXPECT_EQ(RUNTIME_CLASS(CExtPaintManager), holder->GetRuntimeClass());
    EXPECT_TRUE(holder.InstallPaintManager(NULL));
    EXPECT_EQ(RUNTIME_CLASS(CExtPaintManagerXP), holder->GetRuntimeClass());
}
