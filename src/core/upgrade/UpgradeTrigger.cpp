#include "upgrade/UpgradeTrigger.h"

#include "protocol/Conversions.h"
#include "protocol/PacketHeader.h"

namespace vantelo {

int BuildUpgradeTrigger(std::string_view macText, uint32_t deviceTypeId, uint16_t sequence,
                        std::string_view password, PacketBuffer* packet) {
    PacketHeader header{};
    header.protocolVersion = kProtocolVersion;
    header.direction = kDirectionRequest;
    header.opCode = static_cast<uint16_t>(OpCode::UpgradeTrigger);
    header.deviceTypeId = deviceTypeId;
    header.sequence = sequence;
    if (HexTextToBytes(macText, header.mac, sizeof header.mac) != 0) {
        return -1;
    }
    EncodeHeader(header, std::span(packet->bytes).first<kHeaderSize>());
    packet->length = kHeaderSize;
    return AppendTextElement(*packet, TlvType::Password, password);
}

}  // namespace vantelo
