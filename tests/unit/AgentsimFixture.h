#pragma once

// An in-memory network and a simulator of a few agents, driven at a virtual time.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "AgentSetup.h"
#include "Simulator.h"
#include "protocol/Conversions.h"
#include "protocol/PacketHeader.h"
#include "protocol/TlvElements.h"

namespace vantelo::agentsim::testing {

struct Sent {
    Endpoint from;
    Endpoint to;
    std::vector<uint8_t> bytes;
};

class RecordingNetwork : public Network {
public:
    void Send(Endpoint from, Endpoint to, const uint8_t* data, size_t size) override {
        sent.push_back({from, to, std::vector<uint8_t>(data, data + size)});
    }
    int OpenTransferPort(uint32_t ip, uint16_t* port) override {
        *port = nextPort++;
        open.push_back({ip, *port});
        return 0;
    }
    void CloseTransferPort(Endpoint local) override { std::erase(open, local); }

    std::vector<Sent> sent;
    std::vector<Endpoint> open;
    uint16_t nextPort = 40000;
};

inline uint32_t Ip(const char* text) {
    uint32_t ip = 0;
    EXPECT_EQ(TextToIp(text, &ip), 0) << text;
    return ip;
}

class AgentsimFixture : public ::testing::Test {
protected:
    static constexpr uint32_t kDeviceType = 0x03B27F16;
    static constexpr uint16_t kBasePort = 5000;
    static constexpr uint16_t kAgentPort = kBasePort + 2;
    const Endpoint console{Ip("10.77.0.1"), kBasePort};

    void SetUp() override {
        std::string pattern = std::filesystem::temp_directory_path() / "agentsim-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        store = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(store); }

    // Three generated agents at 10.77.0.10 to .12, password "admin", unless given others; a
    // fresh network, event list and store each time.
    void Start(std::vector<AgentSettings> agents = {}, SimulatorConfig config = {}) {
        events.clear();
        network = RecordingNetwork{};
        for (const auto& entry : std::filesystem::directory_iterator(store)) {
            std::filesystem::remove_all(entry.path());
        }
        if (agents.empty()) {
            agents = Generated(3);
        }
        config.deviceTypeId = kDeviceType;
        config.basePort = kBasePort;
        config.storeDir = store;
        simulator = std::make_unique<Simulator>(
            config, agents, network, [this](const std::string& line) { events.push_back(line); });
        simulator->Start(now);
    }

    static std::vector<AgentSettings> Generated(size_t count) {
        GeneratedAgents generated;
        generated.count = count;
        generated.first = Ip("10.77.0.10");
        generated.subnetMask = Ip("255.255.0.0");
        generated.gateway = Ip("10.77.0.1");
        generated.trapIp = Ip("10.77.0.1");
        generated.password = "admin";
        std::vector<AgentSettings> agents;
        std::string error;
        EXPECT_EQ(GenerateAgents(generated, &agents, &error), 0) << error;
        return agents;
    }

    // A request header as the console builds it, aimed at mac when one is given.
    static PacketBuffer Request(OpCode op, const uint8_t* mac = nullptr, uint16_t sequence = 0) {
        PacketHeader header{};
        header.protocolVersion = kProtocolVersion;
        header.direction = kDirectionRequest;
        if (mac != nullptr) {
            std::memcpy(header.mac, mac, sizeof header.mac);
        }
        header.opCode = static_cast<uint16_t>(op);
        header.deviceTypeId = kDeviceType;
        header.sequence = sequence;
        PacketBuffer packet{};
        EncodeHeader(header, std::span(packet.bytes).first<kHeaderSize>());
        packet.length = kHeaderSize;
        return packet;
    }

    void Deliver(const PacketBuffer& packet, const char* dst) {
        network.sent.clear();
        simulator->OnManagementDatagram(packet.bytes, packet.length, Ip(dst), console, now);
    }

    void Advance(int64_t ms) {
        now += ms;
        simulator->Tick(now);
    }

    const uint8_t* MacOf(const char* ip) { return simulator->FindAgent(Ip(ip))->settings.mac; }

    // A reply read back by the console's own decoders.
    static DeviceRecord Decoded(const Sent& sent, PacketHeader* header) {
        EXPECT_EQ(DecodeHeader(sent.bytes, header), 0);
        DeviceRecord record{};
        record.dhcp = kDhcpNotReported;
        record.interfaceVersion = header->interfaceVersion;
        DecodeElements(sent.bytes, &record);
        return record;
    }

    bool HasEvent(const std::string& line) const {
        return std::find(events.begin(), events.end(), line) != events.end();
    }

    std::string store;
    int64_t now = 1000000;
    RecordingNetwork network;
    std::vector<std::string> events;
    std::unique_ptr<Simulator> simulator;
};

}  // namespace vantelo::agentsim::testing
