#include "support/ConsoleHarness.h"

#include <gtest/gtest.h>

#include "persistence/DefinitionWriter.h"

namespace vantelo::test {

namespace {

void Replace(FileSystem& files, const std::string& path, const std::vector<uint8_t>& bytes) {
    EXPECT_EQ(files.ReplaceFile(path, bytes.data(), bytes.size()), 0) << path;
}

}  // namespace

ConsoleHarness::ConsoleHarness() : ConsoleHarness(memory, kMemoryDirectory) {}

ConsoleHarness::ConsoleHarness(FileSystem& fileSystem, std::string configDirectory)
    : files(fileSystem), dir(std::move(configDirectory)) {
    Replace(files, dir.File("define.ecf"), BuildDefinitionFile(kDeviceTypeId, kBasePort));
}

void ConsoleHarness::WriteMonitorFile(const std::vector<DeviceRecord>& records) {
    Replace(files, dir.File("monitor.cfg"), RecordBytes(records));
}

Console& ConsoleHarness::Start() {
    ConsolePorts ports;
    ports.sockets = &network;
    ports.timers = &clock;
    ports.clock = &clock;
    ports.ui = &ui;
    ports.addresses = &addresses;
    ports.dialogs = &dialogs;
    ports.files = &files;
    ports.configDirectory = dir.Path();
    ports.interfaces = interfaces;
    console = std::make_unique<Console>(ports);
    console->WatchOutcomes(&outcomes);
    if (!shippedDefinition.empty()) {
        console->KnowShippedDefinition(shippedDefinition);
    }
    console->Initialize(view);
    return *console;
}

void ConsoleHarness::Receive(const std::vector<uint8_t>& bytes, uint32_t fromIp, SocketId socket) {
    uint16_t port = socket == SocketId::Broadcast ? kBasePort : kBasePort + 1;
    network.Queue(port, Endpoint{fromIp, kAgentPort}, bytes);
    network.Deliver();
}

void ConsoleHarness::Reply(const AgentSettings& agent, OpCode opCode) {
    Receive(SettingsReply(agent, opCode, kDeviceTypeId), agent.ip);
}

void SelectOnly(Console& console, ListId list, const std::vector<int>& rows) {
    for (ListId each : {ListId::Monitor, ListId::Discovery}) {
        for (int row : console.Lists().List(each).SelectedRows()) {
            console.OnSelect(each, row, false);
        }
    }
    for (int row : rows) {
        console.OnSelect(list, row, true);
    }
}

}  // namespace vantelo::test
