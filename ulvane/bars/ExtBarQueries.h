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
