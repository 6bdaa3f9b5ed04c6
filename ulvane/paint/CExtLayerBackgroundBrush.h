// CExtLayerBackgroundBrush: the solid background brush of one kind of resizable window
// (dialogs, pages, sheets) in the look's face colour. Each kind keeps one, made when a
// window of that kind first asks for it and deleted at exit; a program that shows no
// such window makes none.
#pragma once

#include <afxwin.h>

class CExtLayerBackgroundBrush
{
public:
    CExtLayerBackgroundBrush();
    ~CExtLayerBackgroundBrush();

    // The brush in clr, made again when the colour has changed; NULL when it cannot
    // be made.
    HBRUSH Get(COLORREF clr);
    // How many of these the process holds.
    static int GetLiveCount() { return s_nLive; }

private:
    CExtLayerBackgroundBrush(const CExtLayerBackgroundBrush&) = delete;
    void operator=(const CExtLayerBackgroundBrush&) = delete;

    CBrush m_brush;
    COLORREF m_clr;
    static int s_nLive;
};
