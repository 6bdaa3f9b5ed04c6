// What the looks ask of a bar, one question each; a NULL bar answers false.
#pragma once

class CExtControlBar;

// The frame's menu bar.
bool IsMenuBar(const CExtControlBar* pBar);
// Docked at the left or right, or floating with a vertical alignment.
bool IsBarVertical(const CExtControlBar* pBar);
bool IsBarFloating(const CExtControlBar* pBar);
// The chevron button at a toolbar's end.
class CExtBarButton;
bool IsContentExpandButton(const CExtBarButton* pButton);
// A bar that nests other bars.
bool IsDynamicContainerBar(const CExtControlBar* pBar);
// The frame that docks the bar.
bool HasDockSite(const CExtControlBar* pBar);
// The bar lives outside any frame (in a dialog, say): it was made with a parent that
// is not a frame window and no frame docks it.
bool IsBarParentNotFrame(const CExtControlBar* pBar);
// The bar sits in one of its frame's four outer dock bars (top, bottom, left, right),
// whatever class that dock bar is.
bool IsDockedInFrameOuterBars(const CExtControlBar* pBar);
// One of a frame's four outer dock bars, by its id and place, whatever its class.
class CWnd;
bool IsFrameOuterDockBar(const CWnd* pWnd);
bool IsPanelBar(const CExtControlBar* pBar);
// The toolbar button whose menu is showing, or NULL.
class CExtToolControlBar;
CExtBarButton* GetMenuTrackingButton(const CExtToolControlBar* pBar);
