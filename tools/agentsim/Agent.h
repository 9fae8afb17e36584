#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vantelo::agentsim {

enum class DhcpState : uint8_t { Disabled = 0, Enabled = 1, NotReported = 2 };

// Running answers everything; Silent and Restarting answer nothing; Down is a restart that never
// ends.
enum class AgentState : uint8_t { Running, Silent, Restarting, Down };

// What an agent reports about itself, and what a set request may change.
struct AgentSettings {
    uint8_t mac[6] = {};
    uint32_t ip = 0;
    uint32_t subnetMask = 0;
    uint32_t gateway = 0;
    uint32_t trapIp = 0;
    std::string productName;
    std::string systemName;
    std::string location;
    std::string password;
    DhcpState dhcp = DhcpState::Disabled;
    uint16_t protocolVersion = 2;
    uint16_t interfaceVersion = 2;
    bool loaderMode = false;
};

// Faults set from the control channel; they stay until cleared.
struct AgentFaults {
    uint32_t replyDelayMs = 0;
    // The data block (0: the write request) answered by an error packet instead of an
    // acknowledgement.
    std::optional<uint16_t> tftpErrorBlock;
    std::string tftpErrorText;
    // From this block (0: the write request) on, nothing is acknowledged.
    std::optional<uint16_t> tftpStallBlock;
    bool neverReturn = false;
    // Replies carry this device type instead of the configured one.
    std::optional<uint32_t> replyDeviceType;
};

struct Agent {
    AgentSettings settings;
    AgentFaults faults;
    char macText[13] = {};
    AgentState state = AgentState::Running;
    int64_t restartDueMs = 0;
    // A write transfer is accepted until then; a correct upgrade trigger sets it.
    int64_t upgradeArmedUntilMs = 0;
    uint32_t trapsSent = 0;
};

inline constexpr size_t kMaxAgents = 1000;

// Field capacities of the console's device record, less the terminator.
inline constexpr size_t kProductNameMax = 40;
inline constexpr size_t kSystemNameMax = 20;
inline constexpr size_t kLocationMax = 20;
inline constexpr size_t kPasswordMax = 20;

}  // namespace vantelo::agentsim
