#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "support/AgentDatagrams.h"
#include "support/VirtualNetwork.h"

namespace vantelo::test {

// An agent's TFTP server on the virtual network: it takes the write request and the data
// packets on port 69 and acknowledges them to the client port, as the script says.
class TftpAgent : public FakeAgent {
public:
    explicit TftpAgent(uint32_t address) : address_(address) {}

    uint32_t Address() const override { return address_; }
    void OnRequest(VirtualNetwork& network, const SentDatagram& request) override;

    // The script.
    bool answerWriteRequest = true;
    uint16_t silentFromBlock = 0;  // blocks from this one on get no acknowledgement (0: none)
    std::set<uint16_t> loseOnce;   // the first copy of these blocks is lost on the way
    bool ackTwice = false;         // every acknowledgement arrives twice
    Endpoint replyFrom{0, 0};      // where acknowledgements come from (0: the agent, port 69)
    int errorOnBlock = -1;         // answer this block (0: the write request) with an error
    std::string errorText;

    // What it heard.
    int writeRequests = 0;
    std::string requestedName;
    std::string requestedMode;
    std::vector<uint16_t> dataBlocks;  // every data packet's block number, resends included
    std::vector<uint8_t> stored;       // the file as stored, each block once

private:
    void Answer(VirtualNetwork& network, uint16_t block);

    uint32_t address_;
    uint16_t lastStored_ = 0;
};

// An agent's acknowledgement of the upgrade trigger with the given sequence and result.
std::vector<uint8_t> TriggerReply(const AgentSettings& agent, uint32_t deviceTypeId,
                                  uint16_t sequence, uint16_t result = 0);

// Answers every upgrade trigger it hears with an acknowledgement of its sequence, unless told
// to keep quiet.
class TriggerAnswer : public FakeAgent {
public:
    TriggerAnswer(AgentSettings agent, uint32_t deviceTypeId)
        : agent_(std::move(agent)), deviceTypeId_(deviceTypeId) {}
    uint32_t Address() const override { return agent_.ip; }
    void OnRequest(VirtualNetwork& network, const SentDatagram& request) override;

    bool answer = true;
    std::vector<SentDatagram> triggers;

private:
    AgentSettings agent_;
    uint32_t deviceTypeId_;
};

}  // namespace vantelo::test
