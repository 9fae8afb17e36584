#pragma once

#include <cstdint>
#include <vector>

#include "protocol/DeviceRecord.h"
#include "support/AgentDatagrams.h"

namespace vantelo::test {

// The bytes of a monitor list file that holds the records.
std::vector<uint8_t> RecordBytes(const std::vector<DeviceRecord>& records);
// The record a stored reply of the agent leaves in a table slot.
DeviceRecord StoredRecord(const AgentSettings& agent, uint32_t deviceTypeId);
// The record "Add item" makes for an address.
DeviceRecord HandAddedRecord(uint32_t ip);

}  // namespace vantelo::test
