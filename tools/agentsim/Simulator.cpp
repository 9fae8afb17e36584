#include "Simulator.h"

#include <algorithm>
#include <limits>

#include "AgentDatagrams.h"
#include "ImageStore.h"
#include "protocol/Conversions.h"
#include "settings/AddressRules.h"

namespace vantelo::agentsim {

namespace {

constexpr uint32_t kPortsPerAgent = 8;

// Scheduled traps walk through link changes of the agent's ports.
std::string ScheduledTrapText(uint32_t count) {
    uint32_t port = (count / 2) % kPortsPerAgent + 1;
    return "Port " + std::to_string(port) + (count % 2 == 0 ? " link down" : " link up");
}

}  // namespace

Simulator::Simulator(const SimulatorConfig& config, const std::vector<AgentSettings>& agents,
                     Network& network, EventSink emit)
    : config_(config),
      network_(network),
      emit_(std::move(emit)),
      tftp_(*this),
      random_(config.seed) {
    agents_.reserve(agents.size());
    for (const AgentSettings& settings : agents) {
        Agent agent;
        agent.settings = settings;
        agent.faults = config.initialFaults;
        MacToText(settings.mac, agent.macText);
        byIp_[settings.ip] = agents_.size();
        agents_.push_back(std::move(agent));
    }
}

void Simulator::Start(int64_t nowMs) {
    nextTrapMs_ = nowMs + int64_t{config_.trapEverySeconds} * 1000;
}

void Simulator::OnTftpDatagram(const uint8_t* data, size_t size, Endpoint to, Endpoint from,
                               int64_t nowMs) {
    ++stats_.received;
    if (Lose()) {
        ++stats_.lostIn;
        return;
    }
    tftp_.OnPacket(to, from, {data, size}, nowMs);
}

void Simulator::Tick(int64_t nowMs) {
    while (!delayed_.empty() && delayed_.begin()->first <= nowMs) {
        const Delayed& d = delayed_.begin()->second;
        network_.Send(d.from, d.to, d.bytes.data(), d.bytes.size());
        ++stats_.sent;
        delayed_.erase(delayed_.begin());
    }
    EndRestarts(nowMs);
    tftp_.Tick(nowMs);
    if (config_.trapEverySeconds > 0 && nowMs >= nextTrapMs_) {
        SendScheduledTraps(nowMs);
        nextTrapMs_ = nowMs + int64_t{config_.trapEverySeconds} * 1000;
    }
}

int64_t Simulator::NextDeadline() const {
    int64_t next = tftp_.NextDeadline();
    if (!delayed_.empty()) {
        next = std::min(next, delayed_.begin()->first);
    }
    if (config_.trapEverySeconds > 0) {
        next = std::min(next, nextTrapMs_);
    }
    for (const Agent& agent : agents_) {
        if (agent.state == AgentState::Restarting) {
            next = std::min(next, agent.restartDueMs);
        }
    }
    return next;
}

Agent* Simulator::FindAgent(uint32_t ip) {
    auto found = byIp_.find(ip);
    return found == byIp_.end() ? nullptr : &agents_[found->second];
}

int Simulator::SendTrap(Agent& agent, std::string_view text, int64_t nowMs) {
    if (agent.state != AgentState::Running || agent.settings.trapIp == 0) {
        return -1;
    }
    PacketBuffer trap;
    BuildTrap(agent.settings, ReplyDeviceType(agent), text, &trap);
    Endpoint to{agent.settings.trapIp, TrapPort()};
    Send(agent, {agent.settings.ip, AgentPort()}, to, trap.bytes, trap.length, nowMs);
    ++agent.trapsSent;
    size_t shown = std::min(text.size(), kTrapTextMax);
    emit_("trap-sent " + IpToText(agent.settings.ip) + " " + IpToText(to.ip) + " " +
          std::string(text.substr(0, shown)));
    return 0;
}

void Simulator::Silence(Agent& agent) {
    agent.state = AgentState::Silent;
}

void Simulator::Revive(Agent& agent) {
    agent.state = AgentState::Running;
}

void Simulator::Restart(Agent& agent, int64_t nowMs) {
    std::string who = std::string(agent.macText) + " " + IpToText(agent.settings.ip);
    agent.upgradeArmedUntilMs = 0;
    if (agent.faults.neverReturn) {
        agent.state = AgentState::Down;
        emit_("restarting " + who + " never");
        return;
    }
    agent.state = AgentState::Restarting;
    agent.restartDueMs = nowMs + int64_t{config_.restartSeconds} * 1000;
    emit_("restarting " + who + " " + std::to_string(config_.restartSeconds));
}

int Simulator::MoveAgent(Agent& agent, uint32_t ip) {
    if (ip == agent.settings.ip) {
        return 0;
    }
    if (!IsAcceptableAddress(agent, ip, agent.settings.subnetMask)) {
        return -1;
    }
    size_t index = static_cast<size_t>(&agent - agents_.data());
    byIp_.erase(agent.settings.ip);
    byIp_[ip] = index;
    agent.settings.ip = ip;
    return 0;
}

bool Simulator::IsAcceptableAddress(const Agent& agent, uint32_t ip, uint32_t mask) const {
    if (!IsLegalHostIp(ip) || !IsMaskContiguous(mask) || !IsHostPartValid(ip, mask)) {
        return false;
    }
    auto found = byIp_.find(ip);
    return found == byIp_.end() || &agents_[found->second] == &agent;
}

void Simulator::SendFromAgent(Agent& agent, Endpoint from, Endpoint to,
                              const std::vector<uint8_t>& packet, int64_t nowMs) {
    Send(agent, from, to, packet.data(), packet.size(), nowMs);
}

int Simulator::OpenTransferPort(uint32_t ip, uint16_t* port) {
    return network_.OpenTransferPort(ip, port);
}

void Simulator::CloseTransferPort(Endpoint local) {
    network_.CloseTransferPort(local);
}

int Simulator::ImageComplete(Agent& agent, const std::vector<uint8_t>& image, int64_t nowMs) {
    std::string error;
    if (StoreImage(config_.storeDir, agent.macText, image, &error) != 0) {
        emit_(std::string("store-failed ") + agent.macText + " " + error);
        return -1;
    }
    emit_(std::string("tftp-stored ") + agent.macText + " " + std::to_string(image.size()));
    Restart(agent, nowMs);
    return 0;
}

void Simulator::Send(Agent& agent, Endpoint from, Endpoint to, const uint8_t* data, size_t size,
                     int64_t nowMs) {
    if (Lose()) {
        ++stats_.lostOut;
        return;
    }
    if (agent.faults.replyDelayMs == 0) {
        network_.Send(from, to, data, size);
        ++stats_.sent;
        return;
    }
    delayed_.emplace(nowMs + agent.faults.replyDelayMs,
                     Delayed{from, to, std::vector<uint8_t>(data, data + size)});
}

bool Simulator::Lose() {
    if (config_.lossPercent == 0) {
        return false;
    }
    return std::uniform_int_distribution<uint32_t>(0, 99)(random_) < config_.lossPercent;
}

uint32_t Simulator::ReplyDeviceType(const Agent& agent) const {
    return agent.faults.replyDeviceType.value_or(config_.deviceTypeId);
}

void Simulator::SendScheduledTraps(int64_t nowMs) {
    for (Agent& agent : agents_) {
        if (agent.state == AgentState::Running && agent.settings.trapIp != 0) {
            SendTrap(agent, ScheduledTrapText(agent.trapsSent), nowMs);
        }
    }
}

void Simulator::EndRestarts(int64_t nowMs) {
    for (Agent& agent : agents_) {
        if (agent.state == AgentState::Restarting && agent.restartDueMs <= nowMs) {
            agent.state = AgentState::Running;
            agent.settings.loaderMode = false;
            emit_(std::string("restarted ") + agent.macText + " " + IpToText(agent.settings.ip));
        }
    }
}

}  // namespace vantelo::agentsim
