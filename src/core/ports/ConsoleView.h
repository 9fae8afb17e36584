#pragma once

#include <string_view>

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

    // A monitored agent, by its IP text, was declared not alive (alive false) or answered again
    // after that (alive true). Told once a change; the window shows it through the list's icon.
    virtual void ShowAgentLiveness(std::string_view /*ipText*/, bool /*alive*/) {}
    // A trap of a monitored agent was stored, with the texts the trap dialog shows.
    virtual void ShowTrapStored(std::string_view /*time*/, std::string_view /*agent*/,
                                std::string_view /*event*/) {}
};

}  // namespace vantelo
