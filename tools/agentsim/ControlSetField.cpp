// "set IP FIELD VALUE": changes one setting or the device type of one agent, as an operator at
// the agent's own console would.

#include "AgentSetup.h"
#include "ControlContext.h"
#include "protocol/ByteCursor.h"
#include "protocol/Conversions.h"
#include "settings/AddressRules.h"

namespace vantelo::agentsim::control {

namespace {

// Each returns an empty text on success, else what is wrong with the value.
using Setter = std::string (*)(Simulator&, Agent&, std::string_view value);

std::string SetText(std::string* field, std::string_view value, size_t max) {
    if (value.size() > max) {
        return "longer than " + std::to_string(max) + " characters";
    }
    *field = std::string(value);
    return "";
}

std::string SetAddress(uint32_t* field, std::string_view value) {
    return TextToIp(value, field) == 0 ? "" : "not a dotted address";
}

std::string SetIp(Simulator& simulator, Agent& agent, std::string_view value) {
    uint32_t ip = 0;
    if (TextToIp(value, &ip) != 0 || simulator.MoveAgent(agent, ip) != 0) {
        return "not a free host address under the agent's mask";
    }
    return "";
}

std::string SetMask(Simulator&, Agent& agent, std::string_view value) {
    uint32_t mask = 0;
    if (TextToIp(value, &mask) != 0 || !IsMaskContiguous(mask) ||
        !IsHostPartValid(agent.settings.ip, mask)) {
        return "not a mask that fits the agent's address";
    }
    agent.settings.subnetMask = mask;
    return "";
}

std::string SetNumber(uint16_t* field, std::string_view value, uint32_t low, uint32_t high) {
    uint32_t number = 0;
    if (ParseNumber(value, low, high, &number) != 0) {
        return "not a number from " + std::to_string(low) + " to " + std::to_string(high);
    }
    *field = static_cast<uint16_t>(number);
    return "";
}

std::string SetDeviceType(Simulator&, Agent& agent, std::string_view value) {
    uint8_t bytes[4];
    if (value.size() != 8 || HexTextToBytes(value, bytes, 4) != 0) {
        return "not 8 hexadecimal digits";
    }
    agent.faults.replyDeviceType = ByteReader(bytes).ReadU32();
    return "";
}

const std::pair<std::string_view, Setter> kFields[] = {
    {"product",
     [](Simulator&, Agent& a, std::string_view v) {
         return SetText(&a.settings.productName, v, kProductNameMax);
     }},
    {"name", [](Simulator&, Agent& a,
                std::string_view v) { return SetText(&a.settings.systemName, v, kSystemNameMax); }},
    {"location", [](Simulator&, Agent& a,
                    std::string_view v) { return SetText(&a.settings.location, v, kLocationMax); }},
    {"password", [](Simulator&, Agent& a,
                    std::string_view v) { return SetText(&a.settings.password, v, kPasswordMax); }},
    {"ip", SetIp},
    {"mask", SetMask},
    {"gateway",
     [](Simulator&, Agent& a, std::string_view v) { return SetAddress(&a.settings.gateway, v); }},
    {"trap-ip",
     [](Simulator&, Agent& a, std::string_view v) { return SetAddress(&a.settings.trapIp, v); }},
    {"dhcp",
     [](Simulator&, Agent& a, std::string_view v) -> std::string {
         return ParseDhcpState(v, &a.settings.dhcp) == 0 ? "" : "not enable, disable or none";
     }},
    {"protocol",
     [](Simulator&, Agent& a, std::string_view v) {
         return SetNumber(&a.settings.protocolVersion, v, 0, 0xFFFF);
     }},
    {"interface",
     [](Simulator&, Agent& a, std::string_view v) {
         return SetNumber(&a.settings.interfaceVersion, v, 1, 3);
     }},
    {"loader",
     [](Simulator&, Agent& a, std::string_view v) -> std::string {
         if (v != "yes" && v != "no") {
             return "not yes or no";
         }
         a.settings.loaderMode = v == "yes";
         return "";
     }},
    {"device-type", SetDeviceType},
};

}  // namespace

void SetField(const Context& c) {
    Agent* agent = AgentArgument(c, 1);
    if (agent == nullptr) {
        return;
    }
    std::string field = c.line.Word(2);
    for (const auto& [name, setter] : kFields) {
        if (name == field) {
            std::string problem = setter(c.simulator, *agent, c.line.Rest(3));
            if (!problem.empty()) {
                c.Error("set " + field + ": '" + std::string(c.line.Rest(3)) + "' is " + problem);
                return;
            }
            c.Ok("set " + c.line.Word(1) + " " + field);
            return;
        }
    }
    c.Error("set: unknown field '" + field + "'");
}

}  // namespace vantelo::agentsim::control
