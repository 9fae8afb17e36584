// Prints the two values of a definition file as "DEVICETYPE BASEPORT" in hexadecimal, or exits 1
// when the console's loader refuses the file. Used by scripts to check written files.

#include <cstdio>

#include "persistence/DefinitionFile.h"
#include "platform/files/PosixFileSystem.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vantelo_definition_check FILE\n");
        return 2;
    }
    vantelo::PosixFileSystem files;
    vantelo::DefinitionValues values{};
    if (vantelo::LoadDefinitionFile(files, argv[1], &values) != 0) {
        std::printf("refused\n");
        return 1;
    }
    std::printf("%08X %04X\n", values.deviceTypeId, values.basePort);
    return 0;
}
