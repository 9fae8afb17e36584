#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace vantelo::agentsim {

// The elements of a request as the agent reads them; an element that is absent stays empty.
struct RequestElements {
    std::optional<std::string> productName;
    std::optional<std::string> systemName;
    std::optional<std::string> location;
    std::optional<std::string> password;
    std::optional<std::string> newPassword;
    std::optional<uint32_t> ip;
    std::optional<uint32_t> subnetMask;
    std::optional<uint32_t> gateway;
    std::optional<uint32_t> trapIp;
    std::optional<uint16_t> dhcp;
};

// Reads the elements that follow the header (the payload). Unlike the console's
// decoder, the agent trusts nothing: it returns -1 for an element type outside 1..10, a length
// below 4 or past the end, an address element whose length is not 8, or a Dhcp element whose
// length is neither 5 (one byte) nor 6 (16 bits). Later elements of one type replace earlier ones.
int ParseRequestElements(std::span<const uint8_t> payload, RequestElements* out);

}  // namespace vantelo::agentsim
