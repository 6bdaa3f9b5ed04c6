// Keys and clicks sent through the system's input queue, as a user's would arrive:
// the window under the cursor or with the focus gets them, hooks and accelerators see
// them. Used by the tests that drive real windows.
#pragma once

#include <afxwin.h>

#include <vector>

class CSentInput
{
public:
    // Presses the keys together, the first ones held as modifiers, and lets them go in
    // reverse order.
    static void PressKeys(const std::vector<WORD>& keys);
    // Moves the cursor to the point (screen coordinates) and clicks the left button.
    static void ClickAt(CPoint ptScreen);
};
