// GDI object wrappers and their handle map.
#include "afxpriv.h"

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CPalette, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)

// A temporary wrapper of the class that matches the object, so casts of
// FromHandle results (CPen*, CFont*) hold.
static CObject* ConstructGdiObject(HANDLE h)
{
    switch (::GetObjectType((HGDIOBJ)h))
    {
    case OBJ_PEN:
    case OBJ_EXTPEN:
        return new CPen;
    case OBJ_BRUSH:
        return new CBrush;
    case OBJ_FONT:
        return new CFont;
    case OBJ_BITMAP:
        return new CBitmap;
    case OBJ_PAL:
        return new CPalette;
    case OBJ_REGION:
        return new CRgn;
    default:
        return new CGdiObject;
    }
}

static void SetGdiHandle(CObject* pObject, HANDLE h)
{
    ((CGdiObject*)pObject)->m_hObject = (HGDIOBJ)h;
}

CHandleMap* PASCAL afxMapHGDIOBJ(BOOL bCreate)
{
    return CHandleMap::GetThreadMap(AfxGetThreadState()->m_pmapHGDIOBJ, bCreate, ConstructGdiObject, SetGdiHandle);
}

CGdiObject* PASCAL CGdiObject::FromHandle(HGDIOBJ hObject)
{
    return (CGdiObject*)afxMapHGDIOBJ(TRUE)->FromHandle(hObject);
}

void PASCAL CGdiObject::DeleteTempMap()
{
    if (CHandleMap* pMap = afxMapHGDIOBJ())
        pMap->DeleteTemp();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    return afxMapHGDIOBJ(TRUE)->AttachObject(this, m_hObject, hObject);
}

HGDIOBJ CGdiObject::Detach()
{
    return CHandleMap::DetachObject(afxMapHGDIOBJ(), this, m_hObject);
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == NULL)
        return FALSE;
    return ::DeleteObject(Detach());
}

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

// Constructors that create their object throw when GDI cannot make it.
static void CheckCreated(HGDIOBJ h)
{
    if (h == NULL)
        AfxThrowResourceException();
}

CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor)
{
    HGDIOBJ h = ::CreatePen(nPenStyle, nWidth, crColor);
    CheckCreated(h);
    Attach(h);
}

CPen::CPen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount, const DWORD* lpStyle)
{
    HGDIOBJ h = ::ExtCreatePen(nPenStyle, nWidth, pLogBrush, nStyleCount, lpStyle);
    CheckCreated(h);
    Attach(h);
}

CBrush::CBrush(COLORREF crColor)
{
    HGDIOBJ h = ::CreateSolidBrush(crColor);
    CheckCreated(h);
    Attach(h);
}

CBrush::CBrush(int nIndex, COLORREF crColor)
{
    HGDIOBJ h = ::CreateHatchBrush(nIndex, crColor);
    CheckCreated(h);
    Attach(h);
}

CBrush::CBrush(CBitmap* pBitmap)
{
    HGDIOBJ h = ::CreatePatternBrush((HBITMAP)pBitmap->GetSafeHandle());
    CheckCreated(h);
    Attach(h);
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap)
{
    return Attach(::CreatePatternBrush((HBITMAP)pBitmap->GetSafeHandle()));
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                       BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet,
                       BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality,
                       BYTE nPitchAndFamily, LPCTSTR lpszFacename)
{
    return Attach(::CreateFont(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline,
                               cStrikeOut, nCharSet, nOutPrecision, nClipPrecision, nQuality,
                               nPitchAndFamily, lpszFacename));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC)
{
    LOGFONT logFont;
    memset(&logFont, 0, sizeof(LOGFONT));
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfHeight = nPointSize;
    lstrcpyn(logFont.lfFaceName, lpszFaceName, LF_FACESIZE);
    return CreatePointFontIndirect(&logFont, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC)
{
    // lfHeight is in tenths of a point: convert to logical units of the DC.
    HDC hDC = pDC != NULL ? pDC->m_hAttribDC : ::GetDC(NULL);
    LOGFONT logFont = *lpLogFont;
    POINT pt;
    pt.y = ::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), logFont.lfHeight, 720);
    pt.x = 0;
    ::DPtoLP(hDC, &pt, 1);
    POINT ptOrg = { 0, 0 };
    ::DPtoLP(hDC, &ptOrg, 1);
    logFont.lfHeight = -abs(pt.y - ptOrg.y);
    if (pDC == NULL)
        ::ReleaseDC(NULL, hDC);
    return CreateFontIndirect(&logFont);
}

BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName)
{
    return Attach(::LoadBitmap(AfxGetResourceHandle(), lpszResourceName));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    return Attach(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

BOOL CBitmap::CreateDiscardableBitmap(CDC* pDC, int nWidth, int nHeight)
{
    return Attach(::CreateDiscardableBitmap(pDC->m_hDC, nWidth, nHeight));
}

CSize CBitmap::GetBitmapDimension() const
{
    SIZE size = { 0, 0 };
    ::GetBitmapDimensionEx((HBITMAP)m_hObject, &size);
    return size;
}

BOOL CPalette::CreateHalftonePalette(CDC* pDC)
{
    return Attach(::CreateHalftonePalette(pDC->GetSafeHdc()));
}
