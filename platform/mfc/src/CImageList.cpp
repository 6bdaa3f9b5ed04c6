// Image lists and their handle map.
#include "afxpriv.h"
#include "afxcmn.h"

IMPLEMENT_DYNCREATE(CImageList, CObject)

static void SetImageListHandle(CObject* pObject, HANDLE h)
{
    ((CImageList*)pObject)->m_hImageList = (HIMAGELIST)h;
}

CHandleMap* PASCAL afxMapHIMAGELIST(BOOL bCreate)
{
    return CHandleMap::GetThreadMap(AfxGetThreadState()->m_pmapHIMAGELIST, bCreate, CHandleMap::Construct<CImageList>, SetImageListHandle);
}

CImageList* PASCAL CImageList::FromHandle(HIMAGELIST hImageList)
{
    return (CImageList*)afxMapHIMAGELIST(TRUE)->FromHandle(hImageList);
}

CImageList* PASCAL CImageList::FromHandlePermanent(HIMAGELIST hImageList)
{
    CHandleMap* pMap = afxMapHIMAGELIST();
    return pMap != NULL ? (CImageList*)pMap->LookupPermanent(hImageList) : NULL;
}

void PASCAL CImageList::DeleteTempMap()
{
    if (CHandleMap* pMap = afxMapHIMAGELIST())
        pMap->DeleteTemp();
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    return afxMapHIMAGELIST(TRUE)->AttachObject(this, m_hImageList, hImageList);
}

HIMAGELIST CImageList::Detach()
{
    return CHandleMap::DetachObject(afxMapHIMAGELIST(), this, m_hImageList);
}

CImageList::~CImageList()
{
    DeleteImageList();
}

BOOL CImageList::DeleteImageList()
{
    if (m_hImageList == NULL)
        return FALSE;
    return ImageList_Destroy(Detach());
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    return Create(MAKEINTRESOURCE(nBitmapID), cx, nGrow, crMask);
}

BOOL CImageList::Create(LPCTSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask)
{
    return Attach(ImageList_LoadImage(AfxGetResourceHandle(), lpszBitmapID, cx, nGrow, crMask, IMAGE_BITMAP, LR_CREATEDIBSECTION));
}

BOOL CImageList::Create(CImageList& imagelist1, int nImage1, CImageList& imagelist2, int nImage2, int dx, int dy)
{
    return Attach(ImageList_Merge(imagelist1.m_hImageList, nImage1, imagelist2.m_hImageList, nImage2, dx, dy));
}

BOOL CImageList::Create(CImageList* pImageList)
{
    return Attach(ImageList_Duplicate(pImageList->m_hImageList));
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ImageList_Add(m_hImageList, (HBITMAP)pbmImage->GetSafeHandle(), (HBITMAP)pbmMask->GetSafeHandle());
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    return ImageList_AddMasked(m_hImageList, (HBITMAP)pbmImage->GetSafeHandle(), crMask);
}

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ImageList_Replace(m_hImageList, nImage, (HBITMAP)pbmImage->GetSafeHandle(), (HBITMAP)pbmMask->GetSafeHandle());
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    return ImageList_Draw(m_hImageList, nImage, pDC->GetSafeHdc(), pt.x, pt.y, nStyle);
}

BOOL CImageList::DrawIndirect(IMAGELISTDRAWPARAMS* pimldp)
{
    pimldp->cbSize = sizeof(IMAGELISTDRAWPARAMS);
    pimldp->himl = m_hImageList;
    return ImageList_DrawIndirect(pimldp);
}

BOOL CImageList::DrawIndirect(CDC* pDC, int nImage, POINT pt, SIZE sz, POINT ptOrigin, UINT fStyle,
                              DWORD dwRop, COLORREF rgbBack, COLORREF rgbFore)
{
    IMAGELISTDRAWPARAMS drawing;
    memset(&drawing, 0, sizeof(drawing));
    drawing.i = nImage;
    drawing.hdcDst = pDC->GetSafeHdc();
    drawing.x = pt.x;
    drawing.y = pt.y;
    drawing.cx = sz.cx;
    drawing.cy = sz.cy;
    drawing.xBitmap = ptOrigin.x;
    drawing.yBitmap = ptOrigin.y;
    drawing.rgbBk = rgbBack;
    drawing.rgbFg = rgbFore;
    drawing.fStyle = fStyle;
    drawing.dwRop = dwRop;
    return DrawIndirect(&drawing);
}
