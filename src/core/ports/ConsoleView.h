#pragma once

namespace vantelo {

// The trap indicator's two bitmaps: green (130) while no trap waits unread, red (131) after one.
enum class TrapIndicator { Green, Red };

// What the engine shows in the main window beyond its two lists. The window implements it; the
// engine pushes every change, so the window never asks.
class ConsoleView {
public:
    virtual ~ConsoleView() = default;
    virtual void ShowTrapIndicator(TrapIndicator indicator) = 0;
    // The Refresh time item of this interval carries the only check mark.
    virtual void ShowRefreshTime(int seconds) = 0;
};

}  // namespace vantelo
