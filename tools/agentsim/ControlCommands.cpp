#include "ControlCommands.h"

#include "AgentSetup.h"
#include "ControlContext.h"
#include "protocol/Conversions.h"

namespace vantelo::agentsim {

namespace control {

std::string_view Line::Rest(size_t n) const {
    if (n >= words.size()) {
        return {};
    }
    return text.substr(static_cast<size_t>(words[n].data() - text.data()));
}

Line SplitLine(std::string_view text) {
    Line line{text, {}};
    size_t at = 0;
    while (at < text.size()) {
        if (text[at] == ' ') {
            ++at;
            continue;
        }
        size_t end = std::min(text.find(' ', at), text.size());
        line.words.push_back(text.substr(at, end - at));
        at = end;
    }
    return line;
}

Agent* AgentArgument(const Context& c, size_t n) {
    uint32_t ip = 0;
    Agent* agent = nullptr;
    if (TextToIp(c.line.Word(n), &ip) == 0) {
        agent = c.simulator.FindAgent(ip);
    }
    if (agent == nullptr) {
        c.Error(c.line.Word(0) + ": no agent at '" + c.line.Word(n) + "'");
    }
    return agent;
}

int NumberArgument(const Context& c, size_t n, uint32_t low, uint32_t high, uint32_t* value) {
    if (ParseNumber(c.line.Word(n), low, high, value) != 0) {
        c.Error(c.line.Word(0) + ": '" + c.line.Word(n) + "' is not a number from " +
                std::to_string(low) + " to " + std::to_string(high));
        return -1;
    }
    return 0;
}

}  // namespace control

namespace {

using control::Context;

const char* StateText(AgentState state) {
    switch (state) {
        case AgentState::Running:
            return "running";
        case AgentState::Silent:
            return "silent";
        case AgentState::Restarting:
            return "restarting";
        default:
            return "down";
    }
}

// The command and its agent, as the "ok" line repeats them.
std::string Echo(const Context& c) {
    return c.line.Word(0) + " " + c.line.Word(1);
}

void List(const Context& c) {
    for (const Agent& agent : c.simulator.Agents()) {
        c.reply("agent " + IpToText(agent.settings.ip) + " " + agent.macText + " " +
                StateText(agent.state) + " " + (agent.settings.loaderMode ? "loader" : "normal"));
    }
    c.Ok("list " + std::to_string(c.simulator.Agents().size()));
}

void Stats(const Context& c) {
    const SimulatorStats& s = c.simulator.Stats();
    c.Ok("stats received " + std::to_string(s.received) + " sent " + std::to_string(s.sent) +
         " lost-in " + std::to_string(s.lostIn) + " lost-out " + std::to_string(s.lostOut) +
         " transfers " + std::to_string(c.simulator.ActiveTransfers()));
}

void Trap(const Context& c) {
    Agent* agent = control::AgentArgument(c, 1);
    if (agent == nullptr) {
        return;
    }
    if (c.simulator.SendTrap(*agent, c.line.Rest(2), c.nowMs) != 0) {
        c.Error("trap: agent " + c.line.Word(1) + " is not running or has no trap address");
        return;
    }
    c.Ok(Echo(c));
}

void ChangeState(const Context& c) {
    Agent* agent = control::AgentArgument(c, 1);
    if (agent == nullptr) {
        return;
    }
    if (c.line.words[0] == "silence") {
        c.simulator.Silence(*agent);
    } else if (c.line.words[0] == "revive") {
        c.simulator.Revive(*agent);
    } else {
        c.simulator.Restart(*agent, c.nowMs);
    }
    c.Ok(Echo(c));
}

void Delay(const Context& c) {
    Agent* agent = control::AgentArgument(c, 1);
    uint32_t ms = 0;
    if (agent == nullptr || control::NumberArgument(c, 2, 0, 600000, &ms) != 0) {
        return;
    }
    agent->faults.replyDelayMs = ms;
    c.Ok(Echo(c) + " " + std::to_string(ms));
}

void Loss(const Context& c) {
    uint32_t percent = 0;
    if (control::NumberArgument(c, 1, 0, 100, &percent) != 0) {
        return;
    }
    c.simulator.SetLossPercent(percent);
    c.Ok("loss " + std::to_string(percent));
}

void TftpFault(const Context& c) {
    Agent* agent = control::AgentArgument(c, 1);
    uint32_t block = 0;
    if (agent == nullptr || control::NumberArgument(c, 2, 0, 0xFFFF, &block) != 0) {
        return;
    }
    if (c.line.words[0] == "tftp-error") {
        agent->faults.tftpErrorBlock = static_cast<uint16_t>(block);
        agent->faults.tftpErrorText = std::string(c.line.Rest(3));
    } else {
        agent->faults.tftpStallBlock = static_cast<uint16_t>(block);
    }
    c.Ok(Echo(c) + " " + std::to_string(block));
}

void Faults(const Context& c) {
    Agent* agent = control::AgentArgument(c, 1);
    if (agent == nullptr) {
        return;
    }
    if (c.line.words[0] == "no-return") {
        agent->faults.neverReturn = true;
    } else {
        agent->faults = AgentFaults{};
    }
    c.Ok(Echo(c));
}

}  // namespace

ControlResult RunControlCommand(Simulator& simulator, std::string_view text, int64_t nowMs,
                                const ControlReply& reply) {
    if (!text.empty() && text.back() == '\r') {
        text.remove_suffix(1);
    }
    control::Line line = control::SplitLine(text);
    if (line.words.empty()) {
        return ControlResult::Continue;
    }
    Context c{simulator, line, nowMs, reply};
    if (line.words[0] == "quit") {
        c.Ok("quit");
        return ControlResult::Quit;
    }
    using Handler = void (*)(const Context&);
    static const std::pair<std::string_view, Handler> kCommands[] = {
        {"list", List},
        {"stats", Stats},
        {"trap", Trap},
        {"silence", ChangeState},
        {"revive", ChangeState},
        {"restart", ChangeState},
        {"delay", Delay},
        {"loss", Loss},
        {"tftp-error", TftpFault},
        {"tftp-stall", TftpFault},
        {"no-return", Faults},
        {"clear", Faults},
        {"set", control::SetField},
    };
    for (const auto& [verb, handler] : kCommands) {
        if (verb == line.words[0]) {
            handler(c);
            return ControlResult::Continue;
        }
    }
    c.Error("unknown command '" + line.Word(0) + "'");
    return ControlResult::Continue;
}

}  // namespace vantelo::agentsim
