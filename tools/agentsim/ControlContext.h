#pragma once

// Shared by the control command handlers; not part of the simulator's interface.

#include <string>
#include <string_view>
#include <vector>

#include "ControlCommands.h"

namespace vantelo::agentsim::control {

// A command line: its blank-separated words, the first being the command.
struct Line {
    std::string_view text;
    std::vector<std::string_view> words;
    // What follows the first n words, with the blanks before it skipped; texts may hold blanks.
    std::string_view Rest(size_t n) const;
    std::string Word(size_t n) const { return n < words.size() ? std::string(words[n]) : ""; }
};

Line SplitLine(std::string_view text);

struct Context {
    Simulator& simulator;
    const Line& line;
    int64_t nowMs;
    const ControlReply& reply;

    void Ok(const std::string& what) const { reply("ok " + what); }
    void Error(const std::string& what) const { reply("error " + what); }
};

// The agent whose address is word n; answers the error itself and returns null when there is none.
Agent* AgentArgument(const Context& c, size_t n);

// Word n as a number within [low, high]; answers the error itself and returns -1 otherwise.
int NumberArgument(const Context& c, size_t n, uint32_t low, uint32_t high, uint32_t* value);

// "set IP FIELD VALUE".
void SetField(const Context& c);

}  // namespace vantelo::agentsim::control
