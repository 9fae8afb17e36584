#include "settings/WebAccess.h"

#include <string>

#include "protocol/DeviceTables.h"
#include "protocol/RecordText.h"

namespace vantelo {

namespace {

constexpr int kIpColumn = 1;

const char* SelectionRefusal(const AgentLists& lists, WebAccessSource source) {
    if (source == WebAccessSource::Button && lists.DiscoveryList().SelectedCount() > 0) {
        return "Only the devices in the monitor list can entry the web";
    }
    int selected = lists.MonitorList().SelectedCount();
    if (selected > 1) {
        return "Only one device can be selected";
    }
    return selected == 0 ? "Please select one device in the monitor list" : nullptr;
}

}  // namespace

void OpenAgentPage(const AgentLists& lists, Boxes& boxes, UserInteraction& ui,
                   WebAccessSource source) {
    if (const char* refusal = SelectionRefusal(lists, source)) {
        boxes.Ask(ErrorBox(refusal));
        return;
    }
    const ListModel& rows = lists.MonitorList();
    TableLookup lookup = FindInMonitorTable(lists.MonitorTable(), rows.RowCount(),
                                            rows.Text(rows.FirstSelectedRow(), kIpColumn), true);
    if (!lookup.found) {
        return;
    }
    const DeviceRecord& agent = lists.MonitorTable()[static_cast<size_t>(lookup.index)];
    if (agent.loaderMark == kLoaderMark) {
        boxes.Ask(ErrorBox("Agent is in loader mode, it can't set \n it needs firmware upgrade"));
        return;
    }
    // A copy: the launch may take time, and the record must not be held across it.
    std::string url = "http://" + std::string(TextOf(agent.ipText)) + "/";
    if (ui.OpenUrl(url) != 0) {
        boxes.Ask(ErrorBox("Browser web fail"));
    }
}

}  // namespace vantelo
