#include "app/Console.h"

namespace vantelo {

struct Console::State {
    explicit State(const ConsolePorts& p)
        : ports(p), discoveryList(kDiscoveryColumns), monitorList(kMonitorColumns) {}

    ConsolePorts ports;
    ListModel discoveryList;
    ListModel monitorList;
    DeviceTable discoveryTable{};
    DeviceTable monitorTable{};
    DeviceRecord currentReply{};
    uint16_t requestSequence = 0;
    uint32_t deviceTypeId = 0;
    uint16_t basePort = 0;
    int pollIntervalSeconds = 15;
    UpgradeContext upgrade;
    bool sortAscending = true;
    int sortColumn = 0;
};

Console::Console(const ConsolePorts& ports) : state_(std::make_unique<State>(ports)) {}
Console::~Console() = default;

void Console::Initialize() {}
void Console::Shutdown() {}
void Console::OnDiscovery() {}
void Console::OnAddToMonitorList() {}
void Console::OnDiscoveryDoubleClick() {}
void Console::OnAddItem() {}
void Console::OnDeleteItem() {}
void Console::OnMonitorSave() {}
void Console::OnMonitorSaveAs() {}
void Console::OnMonitorLoad() {}
void Console::OnColumnClick(ListId, int) {}
int Console::ApplyRemoteIp(uint32_t) {
    return -1;
}
void Console::ReceiveDatagram(SocketId) {}

ListModel& Console::DiscoveryList() {
    return state_->discoveryList;
}
ListModel& Console::MonitorList() {
    return state_->monitorList;
}
const DeviceTable& Console::DiscoveryTable() const {
    return state_->discoveryTable;
}
const DeviceTable& Console::MonitorTable() const {
    return state_->monitorTable;
}
const DeviceRecord& Console::CurrentReply() const {
    return state_->currentReply;
}
uint16_t Console::RequestSequence() const {
    return state_->requestSequence;
}
uint32_t Console::DeviceTypeId() const {
    return state_->deviceTypeId;
}
uint16_t Console::BasePort() const {
    return state_->basePort;
}
int Console::PollIntervalSeconds() const {
    return state_->pollIntervalSeconds;
}
UpgradeContext& Console::Upgrade() {
    return state_->upgrade;
}
bool Console::SortAscending() const {
    return state_->sortAscending;
}
int Console::SortColumn() const {
    return state_->sortColumn;
}

}  // namespace vantelo
