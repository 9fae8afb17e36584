#include "console/Console.h"

#include "console/ConsoleState.h"
#include "console/Discovery.h"
#include "console/EngineHooks.h"
#include "console/ReceivePath.h"
#include "lists/ListSorting.h"
#include "lists/Selection.h"
#include "monitor/MonitorList.h"
#include "persistence/ConfigDirectory.h"
#include "persistence/DefinitionFile.h"
#include "persistence/MonitorFileCommands.h"
#include "transport/Sockets.h"

namespace vantelo {

namespace {

void LoadDefinition(ConsoleState& state) {
    DefinitionValues values{};
    if (LoadDefinitionFile(*state.ports.files,
                           JoinPath(state.ports.configDirectory, kDefinitionFileName),
                           &values) == 0) {
        state.deviceTypeId = values.deviceTypeId;
        state.basePort = values.basePort;
        return;
    }
    ShowBox(state, "define.ecf checksum error", "file error");
    ShowBox(state, "It will cause the application fail\n ");
}

}  // namespace

BoxAnswer ShowBox(ConsoleState& state, const char* text, const char* caption, BoxIcon icon,
                  BoxOwner owner, BoxButtons buttons) {
    return state.ports.ui->ShowMessage(MessageBoxRequest{text, caption, icon, buttons, owner});
}

Console::Console(const ConsolePorts& ports) : state_(std::make_unique<ConsoleState>(ports)) {
    InstallSelectionExclusivity(*state_);
}

Console::~Console() = default;

void Console::Initialize() {
    ConsoleState& state = *state_;
    state.pollIntervalSeconds = 15;
    LoadDefinition(state);
    state.discoveryTable.fill(DeviceRecord{});
    state.monitorTable.fill(DeviceRecord{});
    LoadMonitorListAtStartup(state);
    OpenSocket(state, SocketId::Broadcast);
    OpenSocket(state, SocketId::Unicast);
    StartPolling(state);
    StartLivenessTimer(state);
    state.upgrade.Reset();
}

void Console::Shutdown() {
    if (state_->shutDown) {
        return;
    }
    state_->shutDown = true;
    CloseSockets(*state_);
}

void Console::OnDiscovery() {
    RunDiscovery(*state_);
}
void Console::OnAddToMonitorList() {
    AddToMonitorList(*state_);
}
void Console::OnDiscoveryDoubleClick() {
    MoveDoubleClicked(*state_);
}
void Console::OnAddItem() {
    AddItem(*state_);
}
void Console::OnDeleteItem() {
    DeleteItem(*state_);
}
void Console::OnMonitorSave() {
    SaveMonitorList(*state_);
}
void Console::OnMonitorSaveAs() {
    SaveMonitorListAs(*state_);
}
void Console::OnMonitorLoad() {
    LoadMonitorList(*state_);
}
void Console::OnColumnClick(ListId list, int column) {
    SortList(*state_, list, column);
}
int Console::ApplyRemoteIp(uint32_t address) {
    return vantelo::ApplyRemoteIp(*state_, address);
}
void Console::ReceiveDatagram(SocketId socket) {
    vantelo::ReceiveDatagram(*state_, socket);
}

int Console::CheckSelection() const {
    return vantelo::CheckSelection(*state_);
}
int Console::CheckVersion(ListId list, int* slotIndex) const {
    return vantelo::CheckVersion(*state_, list, slotIndex);
}
int Console::SelectTarget() {
    return vantelo::SelectTarget(*state_);
}
const SelectionTarget& Console::CurrentSelection() const {
    return state_->currentSelection;
}

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
RediscoveryMark& Console::Rediscovery() {
    return state_->rediscovery;
}
bool Console::SortAscending() const {
    return state_->sortAscending;
}
int Console::SortColumn() const {
    return state_->sortColumn;
}

}  // namespace vantelo
