#include "PrintHarness.h"

#include "CVornView.h"

#include <afxdlgs.h>

#include <SciLexer.h>

#include <cstdio>

namespace
{
std::string TextOfRecord(const BYTE* pRecord, const EMRTEXT& text, bool bWide)
{
    const BYTE* pChars = pRecord + text.offString;
    if (!bWide)
        return std::string((const char*)pChars, text.nChars);
    std::string strText;
    if (text.nChars == 0)
        return strText;
    const int nBytes = ::WideCharToMultiByte(CP_ACP, 0, (LPCWSTR)pChars, (int)text.nChars, NULL, 0, NULL, NULL);
    strText.resize(nBytes);
    ::WideCharToMultiByte(CP_ACP, 0, (LPCWSTR)pChars, (int)text.nChars, &strText[0], nBytes, NULL, NULL);
    return strText;
}

int WidthOfRecord(const BYTE* pRecord, const EMRTEXT& text)
{
    if (text.offDx == 0)
        return 0;
    const INT* pDx = (const INT*)(pRecord + text.offDx);
    int nWidth = 0;
    for (DWORD i = 0; i < text.nChars; i++)
        nWidth += pDx[i];
    return nWidth;
}
} // namespace

CPrintHarness::CPrintHarness() : m_bSelection(FALSE), m_pInfo(NULL)
{
    HDC hScreen = ::GetDC(NULL);
    m_dc.Attach(::CreateCompatibleDC(hScreen));
    ::ReleaseDC(NULL, hScreen);
    const int nDpiX = m_dc.GetDeviceCaps(LOGPIXELSX);
    const int nDpiY = m_dc.GetDeviceCaps(LOGPIXELSY);
    // 210 x 297 mm.
    m_rcPage.SetRect(0, 0, ::MulDiv(2100, nDpiX, 254), ::MulDiv(2970, nDpiY, 254));
}

CPrintHarness::~CPrintHarness()
{
    Clear();
    ::DeleteDC(m_dc.Detach());
}

void CPrintHarness::Clear()
{
    for (CPrintedPage& page : m_pages)
        ::DeleteEnhMetaFile(page.hMetaFile);
    m_pages.clear();
    delete m_pInfo;
    m_pInfo = NULL;
}

void CPrintHarness::Print(CVornView* pView)
{
    Clear();
    m_pInfo = new CPrintInfo;
    if (m_bSelection)
        m_pInfo->m_pPD->m_pd.Flags |= PD_SELECTION;
    m_pInfo->m_rectDraw = m_rcPage;
    pView->OnBeginPrinting(&m_dc, m_pInfo);
    CWnd* pFrame = pView->GetParentFrame();
    for (UINT nPage = 1; nPage <= m_pInfo->GetMaxPage(); nPage++)
    {
        CPrintedPage page;
        page.bFrameVisible = pFrame->IsWindowVisible();
        page.nWrapMode = (int)pView->GetCtrl().Call(SCI_GETWRAPMODE, 0, 0);
        HDC hMeta = ::CreateEnhMetaFileA(m_dc.m_hDC, NULL, NULL, NULL);
        CDC pageDC;
        pageDC.SetOutputDC(hMeta);
        pageDC.SetAttribDC(m_dc.m_hDC);
        m_pInfo->m_nCurPage = nPage;
        m_pInfo->m_rectDraw = m_rcPage;
        pView->OnPrint(&pageDC, m_pInfo);
        pageDC.ReleaseAttribDC();
        pageDC.ReleaseOutputDC();
        page.hMetaFile = ::CloseEnhMetaFile(hMeta);
        ReadPage(page);
        m_pages.push_back(page);
    }
    pView->OnEndPrinting(&m_dc, m_pInfo);
}

void CPrintHarness::ReadPage(CPrintedPage& page)
{
    const UINT cb = ::GetEnhMetaFileBits(page.hMetaFile, 0, NULL);
    std::vector<BYTE> bits(cb);
    ::GetEnhMetaFileBits(page.hMetaFile, cb, bits.data());
    POINTL ptCurrent = { 0, 0 };
    for (UINT nOffset = 0; nOffset + sizeof(EMR) <= cb;)
    {
        const BYTE* pRecord = bits.data() + nOffset;
        const EMR* pEmr = (const EMR*)pRecord;
        if (pEmr->nSize == 0)
            break;
        switch (pEmr->iType)
        {
        case EMR_EXTTEXTOUTW:
        case EMR_EXTTEXTOUTA:
        {
            const EMREXTTEXTOUTW* pText = (const EMREXTTEXTOUTW*)pRecord;
            CPageText text;
            text.x = pText->emrtext.ptlReference.x;
            text.y = pText->emrtext.ptlReference.y;
            text.strText = TextOfRecord(pRecord, pText->emrtext, pEmr->iType == EMR_EXTTEXTOUTW);
            text.nWidth = WidthOfRecord(pRecord, pText->emrtext);
            // Backgrounds are filled with texts of no characters.
            if (!text.strText.empty())
                page.texts.push_back(text);
            break;
        }
        case EMR_MOVETOEX:
            ptCurrent = ((const EMRMOVETOEX*)pRecord)->ptl;
            break;
        case EMR_LINETO:
        {
            const POINTL pt = ((const EMRLINETO*)pRecord)->ptl;
            page.lines.push_back({ ptCurrent.x, ptCurrent.y, pt.x, pt.y });
            ptCurrent = pt;
            break;
        }
        }
        nOffset += pEmr->nSize;
    }
}

HBITMAP CPrintHarness::RenderPage(size_t nIndex, void** ppBits) const
{
    BITMAPINFO bmi;
    memset(&bmi, 0, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = m_rcPage.Width();
    bmi.bmiHeader.biHeight = m_rcPage.Height();
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    HBITMAP hBitmap = ::CreateDIBSection(m_dc.m_hDC, &bmi, DIB_RGB_COLORS, ppBits, NULL, 0);
    HDC hMem = ::CreateCompatibleDC(m_dc.m_hDC);
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    ::FillRect(hMem, &m_rcPage, (HBRUSH)::GetStockObject(WHITE_BRUSH));
    ::PlayEnhMetaFile(hMem, m_pages[nIndex].hMetaFile, &m_rcPage);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    ::GdiFlush();
    return hBitmap;
}

int CPrintHarness::CountInkPixels(size_t nIndex) const
{
    void* pBits = NULL;
    HBITMAP hBitmap = RenderPage(nIndex, &pBits);
    const DWORD cbRow = ((DWORD)m_rcPage.Width() * 3 + 3) & ~3u;
    int nInk = 0;
    for (int y = 0; y < m_rcPage.Height(); y++)
    {
        const BYTE* pRow = (const BYTE*)pBits + cbRow * y;
        for (int x = 0; x < m_rcPage.Width() * 3; x += 3)
            if (pRow[x] != 255 || pRow[x + 1] != 255 || pRow[x + 2] != 255)
                nInk++;
    }
    ::DeleteObject(hBitmap);
    return nInk;
}

BOOL CPrintHarness::SavePageBitmap(size_t nIndex, LPCTSTR pszPath) const
{
    void* pBits = NULL;
    HBITMAP hBitmap = RenderPage(nIndex, &pBits);
    const BOOL bDone = SaveDibFile(pBits, m_rcPage.Width(), m_rcPage.Height(), pszPath);
    ::DeleteObject(hBitmap);
    return bDone;
}

BOOL SaveDibFile(const void* pBits, int nWidth, int nHeight, LPCTSTR pszPath)
{
    const DWORD cbRow = ((DWORD)nWidth * 3 + 3) & ~3u;
    BITMAPINFOHEADER bih;
    memset(&bih, 0, sizeof(bih));
    bih.biSize = sizeof(bih);
    bih.biWidth = nWidth;
    bih.biHeight = nHeight;
    bih.biPlanes = 1;
    bih.biBitCount = 24;
    BITMAPFILEHEADER bfh;
    memset(&bfh, 0, sizeof(bfh));
    bfh.bfType = 0x4D42;
    bfh.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    bfh.bfSize = bfh.bfOffBits + cbRow * (DWORD)nHeight;
    BOOL bDone = FALSE;
    FILE* pFile = fopen(pszPath, "wb");
    if (pFile != NULL)
    {
        bDone = fwrite(&bfh, sizeof(bfh), 1, pFile) == 1 && fwrite(&bih, sizeof(bih), 1, pFile) == 1 &&
                fwrite(pBits, cbRow, (size_t)nHeight, pFile) == (size_t)nHeight;
        fclose(pFile);
    }
    return bDone;
}
