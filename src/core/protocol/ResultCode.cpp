#include "protocol/ResultCode.h"

namespace vantelo {

const char* ResultCodeMessage(uint16_t resultWord) {
    switch (ResultCodeOf(resultWord)) {
        case 0:
            return nullptr;
        case 1:
            return "Device return : protocol version Error";
        case 2:
            return "Device return : password error";
        case 3:
            return "Device return : command Error";
        case 4:
            return "Device return : parameters Error";
        default:
            return "Device return : unknow error";
    }
}

}  // namespace vantelo
