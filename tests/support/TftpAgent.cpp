#include "support/TftpAgent.h"

#include <algorithm>

#include "upgrade/TftpPackets.h"

namespace vantelo::test {

namespace {

std::vector<uint8_t> Packet(uint16_t opCode, uint16_t number, const std::string& text = {}) {
    std::string bytes{static_cast<char>(opCode >> 8), static_cast<char>(opCode),
                      static_cast<char>(number >> 8), static_cast<char>(number)};
    if (opCode == static_cast<uint16_t>(TftpOpCode::Error)) {
        bytes += text;
        bytes.push_back('\0');
    }
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

}  // namespace

void TftpAgent::OnRequest(VirtualNetwork& network, const SentDatagram& request) {
    const std::vector<uint8_t>& bytes = request.bytes;
    if (request.to.port != kTftpServerPort || bytes.size() < 4) {
        return;
    }
    const uint16_t opCode = static_cast<uint16_t>(bytes[0] << 8 | bytes[1]);
    if (opCode == static_cast<uint16_t>(TftpOpCode::WriteRequest)) {
        ++writeRequests;
        auto nameEnd = std::find(bytes.begin() + 2, bytes.end(), uint8_t{0});
        requestedName.assign(bytes.begin() + 2, nameEnd);
        auto modeEnd = nameEnd == bytes.end() ? nameEnd : std::find(nameEnd + 1, bytes.end(), 0);
        requestedMode.assign(nameEnd == bytes.end() ? nameEnd : nameEnd + 1, modeEnd);
        if (answerWriteRequest) {
            Answer(network, 0);
        }
        return;
    }
    if (opCode != static_cast<uint16_t>(TftpOpCode::Data)) {
        return;
    }
    const uint16_t block = static_cast<uint16_t>(bytes[2] << 8 | bytes[3]);
    dataBlocks.push_back(block);
    if (loseOnce.erase(block) != 0 || (silentFromBlock != 0 && block >= silentFromBlock)) {
        return;
    }
    if (block == lastStored_ + 1) {
        stored.insert(stored.end(), bytes.begin() + 4, bytes.end());
        lastStored_ = block;
    }
    Answer(network, block);
}

void TftpAgent::Answer(VirtualNetwork& network, uint16_t block) {
    Endpoint from = replyFrom.address != 0 ? replyFrom : Endpoint{address_, kTftpServerPort};
    if (errorOnBlock == block) {
        network.Queue(kTftpClientPort, from, Packet(5, 1, errorText));
        return;
    }
    network.Queue(kTftpClientPort, from, Packet(4, block));
    if (ackTwice) {
        network.Queue(kTftpClientPort, from, Packet(4, block));
    }
}

std::vector<uint8_t> TriggerReply(const AgentSettings& agent, uint32_t deviceTypeId,
                                  uint16_t sequence, uint16_t result) {
    PacketHeader header = AgentHeader(agent, OpCode::UpgradeTriggerReply, deviceTypeId);
    header.sequence = sequence;
    header.resultCode = result;
    return Datagram(header, {});
}

void TriggerAnswer::OnRequest(VirtualNetwork& network, const SentDatagram& request) {
    PacketHeader header{};
    if (DecodeHeader(request.bytes, &header) != 0 ||
        header.opCode != static_cast<uint16_t>(OpCode::UpgradeTrigger)) {
        return;
    }
    triggers.push_back(request);
    if (answer) {
        network.Queue(request.from.port, Endpoint{agent_.ip, request.to.port},
                      TriggerReply(agent_, deviceTypeId_, header.sequence));
    }
}

}  // namespace vantelo::test
