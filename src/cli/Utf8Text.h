#pragma once

#include <string>
#include <string_view>

namespace vantelo::cli {

// The text with every byte that does not belong to a well-formed UTF-8 sequence replaced by
// U+FFFD: agents send single-byte texts of any code page, and the formats they are exported in
// (Prometheus, syslog structured data) take UTF-8 only.
std::string ValidUtf8(std::string_view text);

}  // namespace vantelo::cli
