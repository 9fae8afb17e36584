#include "cli/AgentJson.h"

#include <QJsonValue>

#include "lists/ColumnTable.h"
#include "protocol/PacketHeader.h"
#include "protocol/RecordText.h"

namespace vantelo::cli {

namespace {

// The fields of the record behind the lists' columns, in the discovery list's order.
constexpr CellField kRecordFields[] = {
    CellField::MacText,        CellField::IpText,      CellField::Version,  CellField::ProductName,
    CellField::SystemName,     CellField::Dhcp,        CellField::Location, CellField::TrapIpText,
    CellField::SubnetMaskText, CellField::GatewayText,
};

// Whether the agent's answer reported field. A record that never heard the agent has no MAC
// (a real answer always carries one); only a decoded answer of the current protocol carries the
// settings.
bool Reported(const DeviceRecord& record, CellField field) {
    bool heard = record.macText[0] != '\0';
    bool decoded =
        heard && record.protocolVersion == kProtocolVersion && record.loaderMark != kLoaderMark;
    switch (field) {
        case CellField::IpText:
            return true;
        case CellField::MacText:
        case CellField::Version:
            return heard;
        case CellField::Dhcp:
            return decoded && record.dhcp != kDhcpNotReported;
        default:
            return decoded;
    }
}

QJsonValue Number(bool known, int value) {
    return known ? QJsonValue(value) : QJsonValue(QJsonValue::Null);
}

}  // namespace

QString Latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QString IsoTime(const QDateTime& time) {
    QDateTime local = time.toLocalTime();
    int offsetMinutes = local.offsetFromUtc() / 60;
    int magnitude = offsetMinutes < 0 ? -offsetMinutes : offsetMinutes;
    // The offset always in numbers, "+00:00" for UTC too, so that every time reads alike.
    return local.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) +
           QString::asprintf("%c%02d:%02d", offsetMinutes < 0 ? '-' : '+', magnitude / 60,
                             magnitude % 60);
}

QJsonObject AgentJson(const DeviceRecord& record, const AgentState& state) {
    QJsonObject agent;
    for (CellField field : kRecordFields) {
        QJsonValue value = Reported(record, field) ? QJsonValue(Latin1(CellText(record, field)))
                                                   : QJsonValue(QJsonValue::Null);
        agent.insert(Latin1(FieldKey(field)), value);
    }
    bool heard = record.macText[0] != '\0';
    agent.insert(QStringLiteral("loaderMode"),
                 heard ? QJsonValue(record.loaderMark == kLoaderMark) : QJsonValue::Null);
    agent.insert(QStringLiteral("protocolVersion"), Number(heard, record.protocolVersion));
    agent.insert(QStringLiteral("interfaceVersion"), Number(heard, record.interfaceVersion));
    agent.insert(QStringLiteral("monitored"), state.monitored);
    agent.insert(QStringLiteral("alive"),
                 state.alive ? QJsonValue(*state.alive) : QJsonValue::Null);
    agent.insert(QStringLiteral("interface"), state.networkInterface
                                                  ? QJsonValue(Latin1(*state.networkInterface))
                                                  : QJsonValue(QJsonValue::Null));
    agent.insert(QStringLiteral("lastSeen"),
                 state.lastSeen ? QJsonValue(IsoTime(*state.lastSeen)) : QJsonValue::Null);
    return agent;
}

}  // namespace vantelo::cli
