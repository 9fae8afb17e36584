#include "protocol/AgentKeyOf.h"

#include "protocol/RecordText.h"

namespace vantelo {

AgentKey KeyOf(const DeviceRecord& record) {
    return AgentKey{std::string(TextOf(record.macText)), std::string(TextOf(record.ipText))};
}

}  // namespace vantelo
