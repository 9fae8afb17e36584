#include "monitor/Polling.h"

#include <string>

#include "monitor/Timestamp.h"
#include "protocol/PacketHeader.h"
#include "protocol/RecordText.h"

namespace vantelo {

namespace {

constexpr int kNotAliveAfter = 3;

MessageBoxRequest PollingErrorBox(int error) {
    return MessageBoxRequest{"polling error " + std::to_string(error), "", BoxIcon::None,
                             BoxButtons::Ok, BoxOwner::Application};
}

MessageBoxRequest ResendFailBox() {
    return MessageBoxRequest{"Resend fail", "Warnibg", BoxIcon::Warning, BoxButtons::Ok,
                             BoxOwner::MainWindow};
}

}  // namespace

Polling::Polling(const Parts& parts)
    : p_(parts), liveness_(parts.timers, [this] { RunLivenessPass(); }) {}

Polling::~Polling() {
    p_.timers.Stop(wait_);
}

void Polling::Start() {
    intervalSeconds_ = kDefaultIntervalSeconds;
    RunRound();
    liveness_.Start(kLivenessPeriodMs);
}

// Counts the poll for the slot and sends it to the agent's address.
int Polling::SendPoll(int slot, int* error) {
    p_.lists.CountPollSent(slot);
    uint8_t request[kHeaderSize];
    BuildRequestHeader(request, OpCode::PollRequest, p_.transport.DeviceTypeId());
    uint32_t ip = p_.lists.MonitorTable()[static_cast<size_t>(slot)].ip;
    return p_.transport.Send(SocketId::Unicast, request, kHeaderSize,
                             Endpoint{ip, p_.transport.AgentPort()}, error);
}

// A box may run an event loop that changes the table, so every slot is looked at afresh.
void Polling::RunRound() {
    wait_ = kNoTimer;
    activity_->PollRoundStarted();
    for (int slot = 0; slot < p_.lists.MonitorCount(); ++slot) {
        if (p_.lists.MonitorTable()[static_cast<size_t>(slot)].ip == 0) {
            break;
        }
        int error = 0;
        if (SendPoll(slot, &error) != 0) {
            p_.boxes.Notify(PollingErrorBox(error));
        }
    }
    ++roundsRun_;
    activity_->PollRoundEnded();
    wait_ = p_.timers.StartSingleShot(intervalSeconds_ * 1000, [this] { RunRound(); });
}

void Polling::RunLivenessPass() {
    std::string time = TimestampText(p_.clock.Now());
    for (int slot = 0; slot < p_.lists.MonitorCount(); ++slot) {
        const DeviceRecord& record = p_.lists.MonitorTable()[static_cast<size_t>(slot)];
        if (record.ipText[0] == '\0') {
            break;
        }
        if (record.answered != 0 || record.missedPolls == 0) {
            continue;
        }
        if (record.missedPolls >= kNotAliveAfter) {
            std::string ip(TextOf(record.ipText));
            std::string mac(TextOf(record.macText));
            p_.lists.MarkMonitorNotAlive(slot);
            p_.log.AppendEvent(LogEvent{LogKind::NotAlive, ip, mac, "Not alive"},
                               {time + " " + ip + " Not alive \r\n"});
            continue;
        }
        if (record.statusImage == kNotAliveImage) {
            continue;
        }
        int error = 0;
        if (SendPoll(slot, &error) != 0) {
            p_.boxes.Notify(ResendFailBox());
        }
    }
}

}  // namespace vantelo
