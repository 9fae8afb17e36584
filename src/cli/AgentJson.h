#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <optional>
#include <string>
#include <string_view>

#include "protocol/DeviceRecord.h"

namespace vantelo::cli {

// What the command knows of an agent besides its record.
struct AgentState {
    bool monitored = false;
    std::optional<bool> alive;          // empty: not known (a list read from its file)
    std::optional<QDateTime> lastSeen;  // when its last datagram came in; empty: not in this run
    std::optional<std::string> networkInterface;  // the interface it answers on; empty: not known
};

// The agent as docs/vantelo-cli.schema.json describes it, the same for every command: every
// field of the record the agent reported, null for what it did not report (an agent added by
// address that never answered, one in loader mode, one of protocol version 1). The record's
// passwords are never shown.
QJsonObject AgentJson(const DeviceRecord& record, const AgentState& state);

// ISO 8601 with the local offset in numbers, to the second: "2026-12-11T14:52:40+01:00".
QString IsoTime(const QDateTime& time);

// Agents' texts are one byte a character: each byte becomes the character of its code point.
QString Latin1(std::string_view text);

}  // namespace vantelo::cli
