// CPreviewView: the class of a print preview's view (no preview is offered).
#include "afxpriv.h"

IMPLEMENT_DYNCREATE(CPreviewView, CView)

CPreviewView::CPreviewView()
{
}

void CPreviewView::OnDraw(CDC* /*pDC*/)
{
}
