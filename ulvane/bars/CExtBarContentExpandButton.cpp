// CExtBarContentExpandButton: declared with its place among the bar classes; the looks tell it apart.
#include "CExtBarContentExpandButton.h"

IMPLEMENT_DYNCREATE(CExtBarContentExpandButton, CExtBarButton)

CExtBarContentExpandButton::CExtBarContentExpandButton()
{
}
