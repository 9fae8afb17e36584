// Arbitrary file contents through the definition file reader.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "persistence/DefinitionFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> file(data, data + size);
    vantelo::DefinitionValues values{};
    int result = vantelo::ParseDefinitionFile(file.data(), file.size(), &values);
    if (result != 0 && result != -1) {
        __builtin_trap();
    }
    return 0;
}
