// Views that are standard controls.
#pragma once
#ifndef VORN_AFXCVIEW_H
#define VORN_AFXCVIEW_H

#include "afxwin.h"
#include "afxcmn.h"

// A view that is the system's tree control.
class CTreeView : public CCtrlView
{
    DECLARE_DYNCREATE(CTreeView)
public:
    CTreeView();

    CTreeCtrl& GetTreeCtrl() const { return *(CTreeCtrl*)this; }
};

#endif
