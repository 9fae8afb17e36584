// How an agent answers the management requests it receives.

#include <cstring>

#include "AgentDatagrams.h"
#include "RequestElements.h"
#include "Simulator.h"
#include "protocol/Conversions.h"
#include "protocol/ResultCode.h"

namespace vantelo::agentsim {

namespace {

constexpr uint16_t kPollReply = 6;

uint16_t Op(OpCode code) {
    return static_cast<uint16_t>(code);
}

// The operation of the answer to a request; an unknown request is answered with its own code.
uint16_t ReplyOpFor(uint16_t requestOp) {
    switch (static_cast<OpCode>(requestOp)) {
        case OpCode::DiscoveryRequest:
            return Op(OpCode::DiscoveryReply);
        case OpCode::BroadcastSetRequest:
            return Op(OpCode::BroadcastSetReply);
        case OpCode::PollRequest:
            return kPollReply;
        case OpCode::UnicastSetRequest:
            return Op(OpCode::UnicastSetReply);
        case OpCode::UpgradeTrigger:
            return Op(OpCode::UpgradeTriggerReply);
        default:
            return requestOp;
    }
}

std::string RequestName(uint16_t op) {
    switch (static_cast<OpCode>(op)) {
        case OpCode::DiscoveryRequest:
            return "discovery";
        case OpCode::BroadcastSetRequest:
        case OpCode::UnicastSetRequest:
            return "set";
        case OpCode::PollRequest:
            return "poll";
        case OpCode::UpgradeTrigger:
            return "trigger";
        default:
            return "op" + std::to_string(op);
    }
}

bool IsAimedByMac(uint16_t op) {
    return op == Op(OpCode::BroadcastSetRequest) || op == Op(OpCode::UpgradeTrigger);
}

bool IsKnownRequest(uint16_t op) {
    return op == Op(OpCode::DiscoveryRequest) || op == Op(OpCode::PollRequest) ||
           op == Op(OpCode::BroadcastSetRequest) || op == Op(OpCode::UnicastSetRequest) ||
           op == Op(OpCode::UpgradeTrigger);
}

bool IsBroadcastFor(const AgentSettings& agent, uint32_t dstIp) {
    return dstIp == 0xFFFFFFFFu || dstIp == (agent.ip | ~agent.subnetMask);
}

bool TextsFit(const RequestElements& e) {
    auto fits = [](const std::optional<std::string>& text, size_t max) {
        return !text || text->size() <= max;
    };
    return fits(e.productName, kProductNameMax) && fits(e.systemName, kSystemNameMax) &&
           fits(e.location, kLocationMax) && fits(e.newPassword, kPasswordMax);
}

void ApplyTexts(const RequestElements& e, AgentSettings* a) {
    if (e.productName) {
        a->productName = *e.productName;
    }
    if (e.systemName) {
        a->systemName = *e.systemName;
    }
    if (e.location) {
        a->location = *e.location;
    }
    if (e.newPassword) {
        a->password = *e.newPassword;
    }
}

void ApplyAddresses(const RequestElements& e, AgentSettings* a) {
    a->subnetMask = e.subnetMask.value_or(a->subnetMask);
    a->gateway = e.gateway.value_or(a->gateway);
    a->trapIp = e.trapIp.value_or(a->trapIp);
    // An agent that does not report DHCP has none to switch.
    if (e.dhcp && a->dhcp != DhcpState::NotReported) {
        a->dhcp = *e.dhcp != 0 ? DhcpState::Enabled : DhcpState::Disabled;
    }
}

}  // namespace

void Simulator::OnManagementDatagram(const uint8_t* data, size_t size, uint32_t dstIp,
                                     Endpoint from, int64_t nowMs) {
    ++stats_.received;
    if (Lose()) {
        ++stats_.lostIn;
        return;
    }
    PacketHeader header{};
    std::span<const uint8_t> datagram(data, size);
    if (size > kMaxDatagram) {
        return Drop(dstIp, "long");
    }
    if (DecodeHeader(datagram, &header) != 0) {
        return Drop(dstIp, "short");
    }
    if (header.direction != kDirectionRequest) {
        return Drop(dstIp, "direction");
    }
    if (header.deviceTypeId != config_.deviceTypeId) {
        return Drop(dstIp, "device-type");
    }
    Request request{header, datagram.subspan(kHeaderSize), from};
    if (Agent* agent = FindAgent(dstIp)) {
        HandleRequest(*agent, request, false, nowMs);
        return;
    }
    bool addressed = false;
    for (Agent& agent : agents_) {
        if (IsBroadcastFor(agent.settings, dstIp)) {
            addressed = true;
            HandleRequest(agent, request, true, nowMs);
        }
    }
    if (!addressed) {
        Drop(dstIp, "no-agent");
    }
}

// A request addressed to the agent, or aimed at its MAC, gets an error answer when it is wrong;
// a plain broadcast that the agent cannot serve is ignored.
void Simulator::HandleRequest(Agent& agent, const Request& request, bool broadcast, int64_t nowMs) {
    uint16_t op = request.header.opCode;
    if (agent.state != AgentState::Running) {
        return;
    }
    bool aimed = IsAimedByMac(op);
    if (aimed && std::memcmp(request.header.mac, agent.settings.mac, 6) != 0) {
        return;
    }
    bool addressed = !broadcast || aimed;
    if (!IsKnownRequest(op)) {
        if (addressed) {
            Refuse(agent, request, static_cast<uint16_t>(ResultCode::CommandError), "command",
                   nowMs);
        }
        return;
    }
    if (request.header.protocolVersion != kProtocolVersion) {
        if (addressed) {
            Refuse(agent, request, static_cast<uint16_t>(ResultCode::ProtocolVersionError),
                   "version", nowMs);
        }
        return;
    }
    if (agent.settings.loaderMode && op != Op(OpCode::UpgradeTrigger)) {
        PacketBuffer reply;
        StartAgentDatagram(agent.settings, Op(OpCode::LoaderModeReply), 0, request.header.sequence,
                           ReplyDeviceType(agent), &reply);
        Send(agent, {agent.settings.ip, AgentPort()}, request.from, reply.bytes, reply.length,
             nowMs);
        if (!config_.quiet) {
            emit_("loader-reply " + IpToText(agent.settings.ip));
        }
        return;
    }
    switch (static_cast<OpCode>(op)) {
        case OpCode::DiscoveryRequest:
        case OpCode::PollRequest:
            ReplySettings(agent, request, ReplyOpFor(op), nowMs);
            if (!config_.quiet) {
                emit_((op == Op(OpCode::PollRequest) ? "poll-reply " : "discovery-reply ") +
                      IpToText(agent.settings.ip));
            }
            break;
        case OpCode::UpgradeTrigger:
            HandleTrigger(agent, request, nowMs);
            break;
        default:
            HandleSet(agent, request, nowMs);
            break;
    }
}

void Simulator::ReplySettings(Agent& agent, const Request& request, uint16_t replyOp,
                              int64_t nowMs) {
    PacketBuffer reply;
    StartAgentDatagram(agent.settings, replyOp, 0, request.header.sequence, ReplyDeviceType(agent),
                       &reply);
    AppendSettings(agent.settings, &reply);
    Send(agent, {agent.settings.ip, AgentPort()}, request.from, reply.bytes, reply.length, nowMs);
}

void Simulator::Refuse(Agent& agent, const Request& request, uint16_t result, const char* reason,
                       int64_t nowMs) {
    PacketBuffer reply;
    StartAgentDatagram(agent.settings, ReplyOpFor(request.header.opCode), result,
                       request.header.sequence, ReplyDeviceType(agent), &reply);
    Send(agent, {agent.settings.ip, AgentPort()}, request.from, reply.bytes, reply.length, nowMs);
    emit_("refused " + IpToText(agent.settings.ip) + " " + RequestName(request.header.opCode) +
          " " + reason);
}

// Every element is checked before any is applied, so a refused request changes nothing.
void Simulator::HandleSet(Agent& agent, const Request& request, int64_t nowMs) {
    RequestElements e;
    auto parameters = static_cast<uint16_t>(ResultCode::ParametersError);
    if (ParseRequestElements(request.payload, &e) != 0) {
        return Refuse(agent, request, parameters, "parameters", nowMs);
    }
    if (e.password != agent.settings.password) {
        return Refuse(agent, request, static_cast<uint16_t>(ResultCode::PasswordError), "password",
                      nowMs);
    }
    uint32_t ip = e.ip.value_or(agent.settings.ip);
    uint32_t mask = e.subnetMask.value_or(agent.settings.subnetMask);
    if (!TextsFit(e) || !IsAcceptableAddress(agent, ip, mask)) {
        return Refuse(agent, request, parameters, "parameters", nowMs);
    }
    ApplyTexts(e, &agent.settings);
    ApplyAddresses(e, &agent.settings);
    MoveAgent(agent, ip);
    ReplySettings(agent, request, ReplyOpFor(request.header.opCode), nowMs);
    emit_(std::string("set-applied ") + agent.macText + " " + IpToText(ip));
}

void Simulator::HandleTrigger(Agent& agent, const Request& request, int64_t nowMs) {
    RequestElements e;
    if (ParseRequestElements(request.payload, &e) != 0) {
        return Refuse(agent, request, static_cast<uint16_t>(ResultCode::ParametersError),
                      "parameters", nowMs);
    }
    if (e.password != agent.settings.password) {
        return Refuse(agent, request, static_cast<uint16_t>(ResultCode::PasswordError), "password",
                      nowMs);
    }
    PacketBuffer reply;
    StartAgentDatagram(agent.settings, Op(OpCode::UpgradeTriggerReply), 0, request.header.sequence,
                       ReplyDeviceType(agent), &reply);
    Send(agent, {agent.settings.ip, AgentPort()}, request.from, reply.bytes, reply.length, nowMs);
    agent.upgradeArmedUntilMs = nowMs + kUpgradeArmedMs;
    emit_(std::string("trigger-accepted ") + agent.macText + " " + IpToText(agent.settings.ip));
}

void Simulator::Drop(uint32_t dstIp, const char* reason) {
    emit_("dropped " + IpToText(dstIp) + " " + reason);
}

}  // namespace vantelo::agentsim
