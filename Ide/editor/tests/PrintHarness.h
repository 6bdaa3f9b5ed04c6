// A stand-in printer for the editor view's printing steps: a memory DC at the screen's
// resolution with an A4 page at that resolution. Each page is drawn into a fresh
// enhanced metafile (the memory DC its reference and attribute DC), whose text records
// are read back afterwards.
#pragma once

#include <afxwin.h>
#include <afxext.h>

#include <string>
#include <vector>

class CVornView;

// One text drawn on a page: its reference point, its text and its width.
struct CPageText
{
    int x;
    int y;
    std::string strText;
    int nWidth;
};

// One straight line drawn on a page.
struct CPageLine
{
    int x1, y1, x2, y2;
};

struct CPrintedPage
{
    HENHMETAFILE hMetaFile = NULL;
    std::vector<CPageText> texts;
    std::vector<CPageLine> lines;
    BOOL bFrameVisible = TRUE;   // the view's frame while the page was drawn
    int nWrapMode = -1;          // the control's wrap mode while the page was drawn
};

class CPrintHarness
{
public:
    CPrintHarness();
    ~CPrintHarness();

    CDC m_dc;              // the printer: a memory DC at the screen's resolution
    CRect m_rcPage;        // A4 at that resolution
    BOOL m_bSelection;     // the user chose to print the selection
    CPrintInfo* m_pInfo;   // of the last job
    std::vector<CPrintedPage> m_pages;

    // Plays the class library's loop on the view: begin, each page, end.
    void Print(CVornView* pView);
    // Reads a metafile's texts and lines.
    static void ReadPage(CPrintedPage& page);
    // The page played onto a white bitmap, saved as a .bmp file.
    BOOL SavePageBitmap(size_t nIndex, LPCTSTR pszPath) const;
    // How many pixels of the page, played onto a white bitmap, are not white.
    int CountInkPixels(size_t nIndex) const;

private:
    void Clear();
    HBITMAP RenderPage(size_t nIndex, void** ppBits) const;
};

// A 24-bit bottom-up DIB's bits saved as a .bmp file.
BOOL SaveDibFile(const void* pBits, int nWidth, int nHeight, LPCTSTR pszPath);
