#include "AgentSetup.h"

#include <array>
#include <set>

#include "protocol/Conversions.h"
#include "settings/AddressRules.h"

namespace vantelo::agentsim {

namespace {

constexpr size_t kFileFields = 13;

std::vector<std::string_view> Split(std::string_view line, char separator) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    while (true) {
        size_t end = line.find(separator, start);
        if (end == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, end - start));
        start = end + 1;
    }
}

int Fail(std::string* error, std::string text) {
    *error = std::move(text);
    return -1;
}

int ParseText(std::string_view text, size_t max, const char* name, std::string* out,
              std::string* error) {
    if (text.size() > max) {
        return Fail(error, std::string(name) + " longer than " + std::to_string(max));
    }
    *out = std::string(text);
    return 0;
}

int ParseAddress(std::string_view text, const char* name, uint32_t* out, std::string* error) {
    if (TextToIp(text, out) != 0) {
        return Fail(error, std::string("bad ") + name + " '" + std::string(text) + "'");
    }
    return 0;
}

int ParseYesNo(std::string_view text, bool* value) {
    if (text == "yes" || text == "no") {
        *value = text == "yes";
        return 0;
    }
    return -1;
}

int ParseAddresses(const std::vector<std::string_view>& f, AgentSettings* a, std::string* error) {
    if (ParseMac(f[0], a->mac) != 0) {
        return Fail(error, "bad MAC '" + std::string(f[0]) + "'");
    }
    if (ParseAddress(f[1], "IP", &a->ip, error) != 0 ||
        ParseAddress(f[2], "mask", &a->subnetMask, error) != 0 ||
        ParseAddress(f[3], "gateway", &a->gateway, error) != 0 ||
        ParseAddress(f[4], "trap IP", &a->trapIp, error) != 0) {
        return -1;
    }
    return 0;
}

int ParseModes(const std::vector<std::string_view>& f, AgentSettings* a, std::string* error) {
    uint32_t protocol = 0;
    uint32_t interface = 0;
    if (ParseDhcpState(f[9], &a->dhcp) != 0) {
        return Fail(error, "DHCP must be enable, disable or none");
    }
    if (ParseNumber(f[10], 0, 0xFFFF, &protocol) != 0) {
        return Fail(error, "bad protocol version '" + std::string(f[10]) + "'");
    }
    if (ParseNumber(f[11], 1, 3, &interface) != 0) {
        return Fail(error, "interface version must be 1, 2 or 3");
    }
    if (ParseYesNo(f[12], &a->loaderMode) != 0) {
        return Fail(error, "loader must be yes or no");
    }
    a->protocolVersion = static_cast<uint16_t>(protocol);
    a->interfaceVersion = static_cast<uint16_t>(interface);
    return 0;
}

int ParseAgentLine(std::string_view line, AgentSettings* a, std::string* error) {
    std::vector<std::string_view> f = Split(line, '|');
    if (f.size() != kFileFields) {
        return Fail(error,
                    "expected 13 fields separated by '|', found " + std::to_string(f.size()));
    }
    if (ParseAddresses(f, a, error) != 0 ||
        ParseText(f[5], kProductNameMax, "product name", &a->productName, error) != 0 ||
        ParseText(f[6], kSystemNameMax, "system name", &a->systemName, error) != 0 ||
        ParseText(f[7], kLocationMax, "location", &a->location, error) != 0 ||
        ParseText(f[8], kPasswordMax, "password", &a->password, error) != 0) {
        return -1;
    }
    return ParseModes(f, a, error);
}

std::string_view StripLineEnd(std::string_view line) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    return line;
}

}  // namespace

int ParseDhcpState(std::string_view text, DhcpState* state) {
    if (text == "enable") {
        *state = DhcpState::Enabled;
    } else if (text == "disable") {
        *state = DhcpState::Disabled;
    } else if (text == "none") {
        *state = DhcpState::NotReported;
    } else {
        return -1;
    }
    return 0;
}

const char* DhcpStateText(DhcpState state) {
    switch (state) {
        case DhcpState::Enabled:
            return "enable";
        case DhcpState::Disabled:
            return "disable";
        default:
            return "none";
    }
}

int ParseMac(std::string_view text, uint8_t* mac) {
    std::string digits;
    for (size_t i = 0; i < text.size(); ++i) {
        bool separator = text[i] == ':' || text[i] == '-';
        if (separator && (i % 3 != 2 || text.size() != 17)) {
            return -1;
        }
        if (!separator) {
            digits.push_back(text[i]);
        }
    }
    if (digits.size() != 12) {
        return -1;
    }
    return HexTextToBytes(digits, mac, 6);
}

int ParseNumber(std::string_view text, uint32_t low, uint32_t high, uint32_t* value) {
    if (text.empty() || text.size() > 9) {
        return -1;
    }
    uint32_t result = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return -1;
        }
        result = result * 10 + static_cast<uint32_t>(c - '0');
    }
    if (result < low || result > high) {
        return -1;
    }
    *value = result;
    return 0;
}

int GenerateAgents(const GeneratedAgents& plan, std::vector<AgentSettings>* agents,
                   std::string* error) {
    if (plan.count < 1 || plan.count > kMaxAgents) {
        return Fail(error, "the agent count must be 1 to " + std::to_string(kMaxAgents));
    }
    if (plan.password.size() > kPasswordMax) {
        return Fail(error, "password longer than " + std::to_string(kPasswordMax));
    }
    agents->clear();
    for (size_t i = 0; i < plan.count; ++i) {
        AgentSettings a;
        a.ip = plan.first + static_cast<uint32_t>(i);
        a.mac[0] = 0x02;
        for (int b = 0; b < 4; ++b) {
            a.mac[2 + b] = static_cast<uint8_t>(a.ip >> (24 - 8 * b));
        }
        a.subnetMask = plan.subnetMask;
        a.gateway = plan.gateway;
        a.trapIp = plan.trapIp;
        a.productName = "Vantelo VS-8 managed switch";
        a.systemName = "agent-" + std::to_string(i + 1);
        a.location = "rack " + std::to_string(i / 24 + 1);
        a.password = plan.password;
        agents->push_back(std::move(a));
    }
    return CheckAgents(*agents, error);
}

int ParseAgentFile(std::string_view text, std::vector<AgentSettings>* agents, std::string* error) {
    agents->clear();
    size_t lineNumber = 0;
    for (std::string_view line : Split(text, '\n')) {
        ++lineNumber;
        line = StripLineEnd(line);
        if (line.empty() || line[0] == '#') {
            continue;
        }
        AgentSettings a;
        if (ParseAgentLine(line, &a, error) != 0) {
            return Fail(error, "line " + std::to_string(lineNumber) + ": " + *error);
        }
        agents->push_back(std::move(a));
        if (agents->size() > kMaxAgents) {
            return Fail(error, "more than " + std::to_string(kMaxAgents) + " agents");
        }
    }
    return CheckAgents(*agents, error);
}

int CheckAgents(const std::vector<AgentSettings>& agents, std::string* error) {
    if (agents.empty() || agents.size() > kMaxAgents) {
        return Fail(error, "the agent count must be 1 to " + std::to_string(kMaxAgents));
    }
    std::set<uint32_t> addresses;
    std::set<std::array<uint8_t, 6>> macs;
    for (const AgentSettings& a : agents) {
        std::string ip = IpToText(a.ip);
        if (!IsLegalHostIp(a.ip) || !IsHostPartValid(a.ip, a.subnetMask) ||
            !IsMaskContiguous(a.subnetMask)) {
            return Fail(error, "agent " + ip + " is not a host address under mask " +
                                   IpToText(a.subnetMask));
        }
        if (!addresses.insert(a.ip).second) {
            return Fail(error, "address " + ip + " given twice");
        }
        std::array<uint8_t, 6> mac;
        std::copy(a.mac, a.mac + 6, mac.begin());
        if (!macs.insert(mac).second) {
            return Fail(error, "the MAC of agent " + ip + " is given twice");
        }
    }
    return 0;
}

}  // namespace vantelo::agentsim
