// The toolbar-like bar of the benchmark programs: fixed mode, a fixed size of the
// given length along its row and 26 pixels across, a minimal size of 40 x 20 and an
// extra record of its own, as a toolbar keeps one.
#pragma once

#include "CExtBarStateExtra.h"
#include "CExtControlBar.h"

class CBenchFixedBar : public CExtControlBar
{
public:
    explicit CBenchFixedBar(int nLength = 200) : m_nLength(nLength) { m_nBarFlags |= eBarFixedMode; }
    CSize CalcDynamicLayout(int, DWORD nMode) override { return SizeFor((nMode & LM_VERTDOCK) == 0); }
    CSize CalcFixedLayout(BOOL, BOOL bHorz) override { return SizeFor(bHorz != FALSE); }
    CSize GetMinimalSize() override { return CSize(40, 20); }
    CExtBarStateExtra* GetBarStateExtra() override { return &m_extra; }

private:
    CSize SizeFor(bool bHorz) const { return bHorz ? CSize(m_nLength, 26) : CSize(26, m_nLength); }

    int m_nLength;
    CExtBarStateExtra m_extra;
};
