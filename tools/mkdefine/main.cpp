// vantelo-mkdefine: writes a definition file for a device type identifier and a base port.

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>

#include "persistence/ConfigDirectory.h"
#include "persistence/DefinitionFile.h"
#include "persistence/DefinitionWriter.h"
#include "platform/files/ConfigLocation.h"

namespace {

constexpr const char* kUsage =
    "usage: vantelo-mkdefine --device-type HEX8 --base-port HEX4 [-o FILE]";

constexpr const char* kHelp =
    "\n"
    "Writes the console's definition file: the device type identifier (8 hexadecimal digits)\n"
    "and the base UDP port (4 hexadecimal digits).\n"
    "\n"
    "  --device-type HEX8  device type identifier that every datagram carries\n"
    "  --base-port HEX4    base port; the console's and the agents' ports follow from it\n"
    "  -o FILE             where to write; by default define.ecf in the console's directory\n"
    "                      (cfg/ beside the program, or ~/.config/vantelo when installed)\n"
    "  -h, --help          shows this help\n"
    "  -v, --version       shows the version\n";

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
    bool help = false;
    bool version = false;
};

// define.ecf where the console looks for it, for a program installed beside this one.
std::string DefaultOutput() {
    return vantelo::JoinPath(
        vantelo::ConsoleConfigDirectory(vantelo::RunningProgramPath("vantelo-mkdefine"),
                                        vantelo::ProcessConfigEnvironment()),
        vantelo::kDefinitionFileName);
}

int ParseArguments(int argc, char** argv, Arguments* args) {
    for (int i = 1; i < argc; ++i) {
        std::string_view flag = argv[i];
        std::string* target = nullptr;
        if (flag == "-h" || flag == "--help") {
            args->help = true;
            continue;
        }
        if (flag == "-v" || flag == "--version") {
            args->version = true;
            continue;
        }
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
    if (args->help || args->version) {
        return 0;
    }
    if (args->deviceType.empty() || args->basePort.empty()) {
        return Fail(std::string("missing argument; ") + kUsage);
    }
    if (args->output.empty()) {
        args->output = DefaultOutput();
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Arguments args;
    if (int status = ParseArguments(argc, argv, &args); status != 0) {
        return status;
    }
    if (args.help) {
        std::printf("%s\n%s", kUsage, kHelp);
        return 0;
    }
    if (args.version) {
        std::printf("vantelo-mkdefine %s\n", VANTELO_VERSION);
        return 0;
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
