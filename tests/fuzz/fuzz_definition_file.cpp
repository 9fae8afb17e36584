// Arbitrary file contents through the definition file reader. Whatever values it reads from a
// file it accepts, a file that vantelo-mkdefine's writer makes for those values reads back as the
// same values.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "persistence/DefinitionFile.h"
#include "persistence/DefinitionWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> file(data, data + size);
    vantelo::DefinitionValues values{};
    int result = vantelo::ParseDefinitionFile(file.data(), file.size(), &values);
    if (result == -1) {
        return 0;
    }
    if (result != 0) {
        __builtin_trap();
    }
    const std::vector<uint8_t> written =
        vantelo::BuildDefinitionFile(values.deviceTypeId, values.basePort);
    vantelo::DefinitionValues reread{};
    if (vantelo::ParseDefinitionFile(written.data(), written.size(), &reread) != 0 ||
        reread.deviceTypeId != values.deviceTypeId || reread.basePort != values.basePort) {
        __builtin_trap();
    }
    return 0;
}
