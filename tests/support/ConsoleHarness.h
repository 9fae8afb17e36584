#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "console/Console.h"
#include "platform/files/PosixFileSystem.h"
#include "protocol/DeviceRecord.h"
#include "support/AgentDatagrams.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedUserInteraction.h"
#include "support/TestFiles.h"
#include "support/VirtualClock.h"
#include "support/VirtualNetwork.h"

namespace vantelo::test {

// A console on in-memory ports, with a configuration directory of its own that holds a valid
// define.ecf (device type 03B27F16, base port 8000).
class ConsoleHarness {
public:
    static constexpr uint32_t kDeviceTypeId = 0x03B27F16;
    static constexpr uint16_t kBasePort = 8000;
    static constexpr uint16_t kAgentPort = kBasePort + 2;

    ConsoleHarness();

    void WriteMonitorFile(const std::vector<DeviceRecord>& records);
    // Creates the console and runs its initialisation.
    Console& Start();
    // A datagram from the agent at fromIp arrives at the console's socket.
    void Receive(const std::vector<uint8_t>& bytes, uint32_t fromIp,
                 SocketId socket = SocketId::Unicast);
    // The agent's settings arrive in a reply from its own address.
    void Reply(const AgentSettings& agent, OpCode opCode = OpCode::DiscoveryReply);

    TempDirectory dir;
    VirtualNetwork network;
    VirtualClock clock;
    ScriptedUserInteraction ui;
    ScriptedDialogRunner dialogs;
    RecordingView view;
    FixedAddressTable addresses;
    NetworkInterfaces* interfaces = nullptr;  // none: broadcasts follow the routing table
    PosixFileSystem files;
    std::unique_ptr<Console> console;
};

// Clears every selected row of both lists, then selects rows of list.
void SelectOnly(Console& console, ListId list, const std::vector<int>& rows);

}  // namespace vantelo::test
