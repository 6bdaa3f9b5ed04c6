// Keys and clicks sent through the system's input queue, as a user's would arrive:
// the window under the cursor or with the focus gets them, hooks and accelerators see
// them. Used by the tests that drive real windows.
#pragma once

#include <afxwin.h>

#include <functional>
#include <vector>

class CSentInput
{
public:
    // Presses the keys together, the first ones held as modifiers, and lets them go in
    // reverse order.
    static void PressKeys(const std::vector<WORD>& keys);
    // Moves the cursor to the point (screen coordinates) and clicks the left button.
    static void ClickAt(CPoint ptScreen);
    // The same with the right button.
    static void RightClickAt(CPoint ptScreen);
    // Moves the cursor without a click.
    static void MoveTo(CPoint ptScreen);

    // Types the chords (each pressed as PressKeys does) one at a time from a thread
    // timer, each once isReady() holds and at least nGapMs after the last: they reach
    // a window that runs its own message loop too. A feed that waits for longer than
    // nGiveUpMs is dropped, so a test fails instead of waiting for ever.
    static void FeedChords(const std::vector<std::vector<WORD>>& chords, std::function<bool()> isReady,
                           UINT nGapMs = 40, UINT nGiveUpMs = 10000, std::function<void()> onGiveUp = nullptr);
    static void FeedKeys(const std::vector<WORD>& keys, std::function<bool()> isReady, UINT nGapMs = 40);
    static bool IsFeeding();
    static void StopFeeding();
};
