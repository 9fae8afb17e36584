#include "TftpServer.h"

#include <algorithm>
#include <limits>

#include "protocol/Conversions.h"

namespace vantelo::agentsim {

namespace {

std::string EndpointText(Endpoint e) {
    return IpToText(e.ip) + ":" + std::to_string(e.port);
}

}  // namespace

void TftpServer::OnPacket(Endpoint to, Endpoint from, std::span<const uint8_t> packet,
                          int64_t nowMs) {
    if (packet.size() < 2) {
        return;
    }
    if (to.port == kTftpPort) {
        OnWellKnownPort(to, from, packet, nowMs);
    } else if (Session* s = FindByLocal(to)) {
        OnTransferPort(*s, from, packet, nowMs);
    }
}

void TftpServer::OnWellKnownPort(Endpoint to, Endpoint from, std::span<const uint8_t> packet,
                                 int64_t nowMs) {
    Agent* agent = host_.AgentAt(to.ip);
    if (agent == nullptr) {
        return;
    }
    TftpOpcode op = OpcodeOf(packet);
    Session* s = FindByAgent(*agent);
    if (s != nullptr && s->client == from && op == TftpOpcode::Data) {
        OnData(*s, packet, nowMs);
        return;
    }
    if (agent->state != AgentState::Running) {
        return;
    }
    if (op == TftpOpcode::WriteRequest) {
        OnWriteRequest(*agent, to, from, packet, nowMs);
    } else if (op == TftpOpcode::ReadRequest) {
        Refuse(*agent, to, from, TftpError::IllegalOperation, "firmware uploads only",
               "read-request", nowMs);
    }
}

void TftpServer::OnTransferPort(Session& s, Endpoint from, std::span<const uint8_t> packet,
                                int64_t nowMs) {
    if (!Answering(s)) {
        return;
    }
    if (from != s.client) {
        host_.SendFromAgent(*s.agent, s.local, from,
                            BuildError(TftpError::UnknownTransferId, "Unknown transfer ID"), nowMs);
        return;
    }
    switch (OpcodeOf(packet)) {
        case TftpOpcode::Data:
            OnData(s, packet, nowMs);
            break;
        case TftpOpcode::Error:
            host_.Emit(std::string("tftp-aborted ") + s.agent->macText + " client-error");
            Close(s);
            break;
        case TftpOpcode::WriteRequest:
            break;
        default:
            Abort(s, TftpError::IllegalOperation, "Illegal TFTP operation", "illegal-operation",
                  nowMs);
            break;
    }
}

void TftpServer::OnWriteRequest(Agent& agent, Endpoint to, Endpoint from,
                                std::span<const uint8_t> packet, int64_t nowMs) {
    std::string fileName;
    std::string mode;
    if (ParseTransferRequest(packet, &fileName, &mode) != 0) {
        Refuse(agent, to, from, TftpError::IllegalOperation, "Illegal TFTP operation", "malformed",
               nowMs);
        return;
    }
    if (!IsOctetMode(mode)) {
        Refuse(agent, to, from, TftpError::IllegalOperation, "octet mode only", "mode", nowMs);
        return;
    }
    if (!MayReplace(agent, to, from, nowMs)) {
        return;
    }
    if (agent.upgradeArmedUntilMs <= nowMs) {
        Refuse(agent, to, from, TftpError::AccessViolation, "upgrade not triggered",
               "not-triggered", nowMs);
        return;
    }
    StartSession(agent, from, nowMs);
}

// A repeated request of a transfer that has not begun is answered again; a new request from the
// same client replaces its transfer; another client's transfer is never disturbed.
bool TftpServer::MayReplace(Agent& agent, Endpoint to, Endpoint from, int64_t nowMs) {
    Session* s = FindByAgent(agent);
    if (s == nullptr) {
        return true;
    }
    if (s->client == from && s->expectedBlock == 1 && !s->complete) {
        if (!s->stalled) {
            Send(*s, BuildAck(0), nowMs);
        }
        return false;
    }
    if (s->client != from && !s->complete) {
        Refuse(agent, to, from, TftpError::NotDefined, "another transfer is running", "busy",
               nowMs);
        return false;
    }
    Close(*s);
    return true;
}

void TftpServer::StartSession(Agent& agent, Endpoint from, int64_t nowMs) {
    uint16_t port = 0;
    Endpoint wellKnown{agent.settings.ip, kTftpPort};
    if (host_.OpenTransferPort(agent.settings.ip, &port) != 0) {
        Refuse(agent, wellKnown, from, TftpError::NotDefined, "no transfer port", "no-port", nowMs);
        return;
    }
    agent.upgradeArmedUntilMs = 0;
    auto session = std::make_unique<Session>();
    Session& s = *session;
    s.agent = &agent;
    s.local = {agent.settings.ip, port};
    s.client = from;
    s.lastPacketMs = nowMs;
    sessions_.push_back(std::move(session));
    host_.Emit(std::string("tftp-started ") + agent.macText + " " + EndpointText(from));
    if (agent.faults.tftpErrorBlock == 0) {
        SendFaultError(s, 0, nowMs);
    } else if (agent.faults.tftpStallBlock == 0) {
        s.stalled = true;
        host_.Emit(std::string("tftp-stalled ") + agent.macText + " 0");
    } else {
        Send(s, BuildAck(0), nowMs);
    }
}

void TftpServer::OnData(Session& s, std::span<const uint8_t> packet, int64_t nowMs) {
    uint16_t block = 0;
    std::span<const uint8_t> bytes;
    if (!Answering(s) || ParseData(packet, &block, &bytes) != 0) {
        return;
    }
    s.lastPacketMs = nowMs;
    if (bytes.size() > kTftpBlockSize) {
        Abort(s, TftpError::IllegalOperation, "block larger than 512 bytes", "oversize", nowMs);
    } else if (s.complete) {
        if (block == s.finalBlock) {
            Send(s, BuildAck(block), nowMs);
        }
    } else if (s.stalled) {
        return;
    } else if (block == s.expectedBlock) {
        AcceptBlock(s, block, bytes, nowMs);
    } else if (block == static_cast<uint16_t>(s.expectedBlock - 1) && s.expectedBlock != 1) {
        Send(s, BuildAck(block), nowMs);
    }
}

void TftpServer::AcceptBlock(Session& s, uint16_t block, std::span<const uint8_t> bytes,
                             int64_t nowMs) {
    const AgentFaults& faults = s.agent->faults;
    if (faults.tftpErrorBlock == block) {
        SendFaultError(s, block, nowMs);
        return;
    }
    if (faults.tftpStallBlock == block) {
        s.stalled = true;
        host_.Emit(std::string("tftp-stalled ") + s.agent->macText + " " + std::to_string(block));
        return;
    }
    if (s.image.size() + bytes.size() > kMaxImageBytes) {
        Abort(s, TftpError::DiskFull, "image too large", "too-large", nowMs);
        return;
    }
    s.image.insert(s.image.end(), bytes.begin(), bytes.end());
    if (bytes.size() < kTftpBlockSize) {
        Finish(s, block, nowMs);
        return;
    }
    Send(s, BuildAck(block), nowMs);
    s.expectedBlock = static_cast<uint16_t>(block + 1);
}

void TftpServer::Finish(Session& s, uint16_t block, int64_t nowMs) {
    if (host_.ImageComplete(*s.agent, s.image, nowMs) != 0) {
        Abort(s, TftpError::DiskFull, "cannot store the image", "store-failed", nowMs);
        return;
    }
    Send(s, BuildAck(block), nowMs);
    s.complete = true;
    s.finalBlock = block;
    s.closeAtMs = nowMs + kDallyMs;
    s.image = {};
}

void TftpServer::Refuse(Agent& agent, Endpoint to, Endpoint from, TftpError code, const char* text,
                        const char* reason, int64_t nowMs) {
    host_.SendFromAgent(agent, to, from, BuildError(code, text), nowMs);
    host_.Emit("tftp-refused " + IpToText(agent.settings.ip) + " " + reason);
}

void TftpServer::Send(Session& s, const std::vector<uint8_t>& packet, int64_t nowMs) {
    host_.SendFromAgent(*s.agent, s.local, s.client, packet, nowMs);
}

// Sends an error packet and ends the transfer.
void TftpServer::Abort(Session& s, TftpError code, const char* text, const char* reason,
                       int64_t nowMs) {
    Send(s, BuildError(code, text), nowMs);
    host_.Emit(std::string("tftp-aborted ") + s.agent->macText + " " + reason);
    Close(s);
}

// The injected fault: the agent's error text answers the given block and ends the transfer.
void TftpServer::SendFaultError(Session& s, uint16_t block, int64_t nowMs) {
    Send(s, BuildError(TftpError::NotDefined, s.agent->faults.tftpErrorText), nowMs);
    host_.Emit(std::string("tftp-error-sent ") + s.agent->macText + " " + std::to_string(block));
    Close(s);
}

void TftpServer::Close(Session& s) {
    host_.CloseTransferPort(s.local);
    std::erase_if(sessions_, [&s](const std::unique_ptr<Session>& p) { return p.get() == &s; });
}

void TftpServer::Tick(int64_t nowMs) {
    std::vector<Session*> expired;
    for (const auto& s : sessions_) {
        if (s->complete ? nowMs >= s->closeAtMs : nowMs - s->lastPacketMs >= kIdleMs) {
            expired.push_back(s.get());
        }
    }
    for (Session* s : expired) {
        if (!s->complete) {
            host_.Emit(std::string("tftp-aborted ") + s->agent->macText + " timeout");
        }
        Close(*s);
    }
}

int64_t TftpServer::NextDeadline() const {
    int64_t next = std::numeric_limits<int64_t>::max();
    for (const auto& s : sessions_) {
        next = std::min(next, s->complete ? s->closeAtMs : s->lastPacketMs + kIdleMs);
    }
    return next;
}

TftpServer::Session* TftpServer::FindByLocal(Endpoint local) {
    for (const auto& s : sessions_) {
        if (s->local == local) {
            return s.get();
        }
    }
    return nullptr;
}

TftpServer::Session* TftpServer::FindByAgent(const Agent& agent) {
    for (const auto& s : sessions_) {
        if (s->agent == &agent) {
            return s.get();
        }
    }
    return nullptr;
}

// A silent agent answers nothing; a restarting one only repeats the final acknowledgement of the
// transfer that restarted it.
bool TftpServer::Answering(const Session& s) {
    AgentState state = s.agent->state;
    return state == AgentState::Running || (state == AgentState::Restarting && s.complete);
}

}  // namespace vantelo::agentsim
