#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "console/Console.h"
#include "protocol/DeviceRecord.h"
#include "support/AgentDatagrams.h"
#include "support/MemoryFileSystem.h"
#include "support/RecordingOutcomes.h"
#include "support/Records.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedUserInteraction.h"
#include "support/VirtualClock.h"
#include "support/VirtualNetwork.h"

namespace vantelo::test {

// Where the console keeps its files: File names one of them.
class ConfigPath {
public:
    explicit ConfigPath(std::string path) : path_(std::move(path)) {}
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// A console on in-memory ports, with a configuration directory of its own that holds a valid
// define.ecf (device type 03B27F16, base port 8000). Its files are in memory, so the engine's
// tests run alike on every platform; the tests of real files' faults hand it a file system and
// a directory of their own.
class ConsoleHarness {
public:
    static constexpr uint32_t kDeviceTypeId = 0x03B27F16;
    static constexpr uint16_t kBasePort = 8000;
    static constexpr uint16_t kAgentPort = kBasePort + 2;
    static constexpr const char* kMemoryDirectory = "/config";

    ConsoleHarness();
    ConsoleHarness(FileSystem& fileSystem, std::string configDirectory);
    ConsoleHarness(const ConsoleHarness&) = delete;
    ConsoleHarness& operator=(const ConsoleHarness&) = delete;

    void WriteMonitorFile(const std::vector<DeviceRecord>& records);
    // Creates the console and runs its initialisation.
    Console& Start();
    // A datagram from the agent at fromIp arrives at the console's socket.
    void Receive(const std::vector<uint8_t>& bytes, uint32_t fromIp,
                 SocketId socket = SocketId::Unicast);
    // The agent's settings arrive in a reply from its own address.
    void Reply(const AgentSettings& agent, OpCode opCode = OpCode::DiscoveryReply);

    MemoryFileSystem memory;
    FileSystem& files;
    ConfigPath dir;
    VirtualNetwork network;
    VirtualClock clock;
    ScriptedUserInteraction ui;
    ScriptedDialogRunner dialogs;
    RecordingView view;
    RecordingOutcomes outcomes;  // from the console's start on
    FixedAddressTable addresses;
    NetworkInterfaces* interfaces = nullptr;  // none: broadcasts follow the routing table
    // The definition file an installed console was shipped with; empty: none (a build tree).
    std::string shippedDefinition;
    std::unique_ptr<Console> console;
};

// Clears every selected row of both lists, then selects rows of list.
void SelectOnly(Console& console, ListId list, const std::vector<int>& rows);

}  // namespace vantelo::test
