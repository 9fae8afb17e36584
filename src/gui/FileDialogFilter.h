#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vantelo {

// The engine gives file dialog filters as "description|patterns|...||", patterns separated by
// ';'. Qt wants one "description (patterns)" per entry, patterns separated by blanks.
std::vector<std::string> NameFiltersOf(std::string_view filter);

// The extension appended to a name typed without one: the text after the last '.', without
// wildcards. "Default.cfg" and "*.cfg" both give "cfg"; a text without a '.' is the extension.
std::string DefaultSuffixOf(std::string_view defaultExtension);

}  // namespace vantelo
