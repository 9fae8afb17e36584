#include "console/Console.h"

#include "console/Discovery.h"
#include "persistence/ConfigDirectory.h"
#include "persistence/DefinitionFile.h"
#include "protocol/RecordText.h"
#include "settings/WebAccess.h"

namespace vantelo {

Console::Console(const ConsolePorts& ports)
    : ports_(ports),
      boxes_(*ports.ui, *ports.timers),
      log_(*ports.files, boxes_, *ports.ui, ports.configDirectory),
      transport_(*ports.sockets, boxes_),
      files_(lists_, boxes_, *ports.ui, *ports.files, ports.configDirectory),
      editor_(lists_, boxes_, *ports.dialogs),
      polling_(Polling::Parts{transport_, lists_, boxes_, log_, *ports.timers, *ports.clock}),
      traps_(lists_, log_, *ports.clock, *ports.dialogs),
      setConfirmation_(pendingSet_, boxes_),
      settings_(DeviceSettings::Parts{transport_, lists_, boxes_, *ports.dialogs, pendingSet_}),
      firmware_(FirmwareUpgrade::Parts{transport_, lists_, boxes_, *ports.ui, *ports.addresses,
                                       *ports.dialogs, *ports.timers, *ports.files, *ports.sockets,
                                       upgrade_, rediscovery_, log_, *ports.clock}),
      receivePath_(ReceivePath::Parts{transport_, lists_, boxes_, traps_, setConfirmation_,
                                      upgrade_, rediscovery_}),
      hint_(*ports.timers, boxes_, lists_) {}

void Console::LoadDefinition() {
    DefinitionValues values{};
    if (LoadDefinitionFile(*ports_.files, JoinPath(ports_.configDirectory, kDefinitionFileName),
                           &values) == 0) {
        transport_.SetDefinition(values.deviceTypeId, values.basePort);
        DefinitionValues shipped{};
        if (!shippedDefinition_.empty() &&
            LoadDefinitionFile(*ports_.files, shippedDefinition_, &shipped) == 0 &&
            shipped.deviceTypeId == values.deviceTypeId && shipped.basePort == values.basePort) {
            hint_.Arm();
        }
        return;
    }
    boxes_.Report(OutcomeKind::DefinitionFileBad,
                  ErrorBox("define.ecf checksum error", "file error"));
    boxes_.Ask(ErrorBox("It will cause the application fail\n "));
}

void Console::Initialize(ConsoleView& view) {
    view_ = &view;
    traps_.ShowOn(view);
    lists_.WatchLiveness([this](const DeviceRecord& record, bool alive) {
        view_->ShowAgentLiveness(TextOf(record.ipText), alive);
    });
    view_->ShowTrapIndicator(TrapIndicator::Green);
    view_->ShowRefreshTime(Polling::kDefaultIntervalSeconds);
    LoadDefinition();
    files_.LoadAtStartup();
    transport_.Open(SocketId::Broadcast, [this] { ReceiveDatagram(SocketId::Broadcast); });
    transport_.Open(SocketId::Unicast, [this] { ReceiveDatagram(SocketId::Unicast); });
    polling_.Start();
    upgrade_.Reset();
}

void Console::TellActivity(ConsoleActivity& activity) {
    log_.TellActivity(activity);
    polling_.TellActivity(activity);
    traps_.TellActivity(activity);
    receivePath_.TellActivity(activity);
}

void Console::Shutdown() {
    if (shutDown_) {
        return;
    }
    shutDown_ = true;
    transport_.Close();
}

void Console::OnDiscovery() {
    RunDiscovery(transport_, lists_, boxes_);
    hint_.DiscoverySent();
}
void Console::OnAddToMonitorList() {
    editor_.AddToMonitorList();
}
void Console::OnDiscoveryDoubleClick() {
    editor_.MoveDoubleClicked();
}
void Console::OnMonitorDoubleClick() {
    OpenAgentPage(lists_, boxes_, *ports_.ui, WebAccessSource::MonitorDoubleClick);
}
void Console::OnWebAccess() {
    OpenAgentPage(lists_, boxes_, *ports_.ui, WebAccessSource::Button);
}
void Console::OnConfigurationSetting() {
    RowCounts counts{lists_.MonitorCount(), lists_.DiscoveryCount()};
    if (SelectTarget() == 0) {
        settings_.Configure(currentSelection_, counts);
    }
}
void Console::OnPasswordChange() {
    if (SelectTarget() == 0) {
        settings_.ChangePassword(currentSelection_);
    }
}
void Console::OnAddItem() {
    editor_.AddItem();
}
void Console::OnDeleteItem() {
    editor_.DeleteItem();
}
void Console::OnMonitorSave() {
    files_.Save();
}
void Console::OnMonitorSaveAs() {
    files_.SaveAs();
}
void Console::OnMonitorLoad() {
    files_.Load();
}
void Console::OnColumnClick(ListId list, int column) {
    lists_.Sort(list, column);
}
void Console::OnRefreshTime(int seconds) {
    polling_.SetIntervalSeconds(seconds);
    if (view_ != nullptr) {
        view_->ShowRefreshTime(seconds);
    }
}
void Console::OnViewTrap() {
    traps_.ViewTrap();
}
void Console::OnViewLog() {
    log_.View();
}
void Console::OnClearLog() {
    log_.Clear();
}
void Console::OnFirmwareUpgrade() {
    if (SelectTarget() == 0) {
        firmware_.Open(currentSelection_);
    }
}
void Console::OnSelect(ListId list, int row, bool selected) {
    lists_.Select(list, row, selected);
}
void Console::ReceiveDatagram(SocketId socket) {
    receivePath_.ReceiveDatagram(socket);
}
int Console::SelectTarget() {
    return vantelo::SelectTarget(lists_, boxes_, &currentSelection_);
}

}  // namespace vantelo
