// vantelo-mkdefine: writes a definition file for a device type identifier and a base port.

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>

#include "persistence/DefinitionWriter.h"

namespace {

constexpr const char* kUsage =
    "usage: vantelo-mkdefine --device-type HEX8 --base-port HEX4 -o FILE";

int Fail(const std::string& message) {
    std::fprintf(stderr, "vantelo-mkdefine: %s\n", message.c_str());
    return 2;
}

bool ParseHex(std::string_view text, size_t digits, uint32_t* value) {
    if (text.size() != digits) {
        return false;
    }
    uint32_t result = 0;
    for (char c : text) {
        int digit = -1;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        }
        if (digit < 0) {
            return false;
        }
        result = result * 16 + static_cast<uint32_t>(digit);
    }
    *value = result;
    return true;
}

struct Arguments {
    std::string deviceType;
    std::string basePort;
    std::string output;
};

int ParseArguments(int argc, char** argv, Arguments* args) {
    for (int i = 1; i < argc; ++i) {
        std::string_view flag = argv[i];
        std::string* target = nullptr;
        if (flag == "--device-type") {
            target = &args->deviceType;
        } else if (flag == "--base-port") {
            target = &args->basePort;
        } else if (flag == "-o") {
            target = &args->output;
        } else {
            return Fail("unknown argument '" + std::string(flag) + "'; " + kUsage);
        }
        if (i + 1 >= argc) {
            return Fail(std::string(flag) + " needs a value; " + kUsage);
        }
        *target = argv[++i];
    }
    if (args->deviceType.empty() || args->basePort.empty() || args->output.empty()) {
        return Fail(std::string("missing argument; ") + kUsage);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Arguments args;
    if (int status = ParseArguments(argc, argv, &args); status != 0) {
        return status;
    }
    uint32_t deviceType = 0;
    uint32_t basePort = 0;
    if (!ParseHex(args.deviceType, 8, &deviceType)) {
        return Fail("--device-type needs exactly 8 hexadecimal digits, got '" + args.deviceType +
                    "'");
    }
    if (!ParseHex(args.basePort, 4, &basePort)) {
        return Fail("--base-port needs exactly 4 hexadecimal digits, got '" + args.basePort + "'");
    }
    std::vector<uint8_t> bytes =
        vantelo::BuildDefinitionFile(deviceType, static_cast<uint16_t>(basePort));
    if (bytes.empty()) {
        return Fail("no label characters give the checksum 255");
    }
    std::ofstream file(args.output, std::ios::binary | std::ios::trunc);
    if (!file) {
        return Fail("cannot write '" + args.output + "': " + std::strerror(errno));
    }
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
        return Fail("cannot write '" + args.output + "'");
    }
    return 0;
}
