#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vantelo::agentsim {

// Writes a received firmware image as DIR/<mac>.bin: a temporary file in the same directory,
// renamed over the old one, so that a reader never sees half an image. 0, or -1 with a reason.
int StoreImage(const std::string& dir, const std::string& macText,
               const std::vector<uint8_t>& image, std::string* error);

}  // namespace vantelo::agentsim
