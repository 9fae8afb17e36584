#include "ImageStore.h"

#include <cstdio>
#include <fstream>

namespace vantelo::agentsim {

int StoreImage(const std::string& dir, const std::string& macText,
               const std::vector<uint8_t>& image, std::string* error) {
    std::string path = dir + "/" + macText + ".bin";
    std::string temporary = dir + "/." + macText + ".bin.part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(image.data()),
                  static_cast<std::streamsize>(image.size()));
        out.close();
        if (!out) {
            std::remove(temporary.c_str());
            *error = "cannot write " + temporary;
            return -1;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        *error = "cannot rename to " + path;
        return -1;
    }
    return 0;
}

}  // namespace vantelo::agentsim
