#pragma once

#include <string>

#include "events/Boxes.h"
#include "lists/AgentLists.h"
#include "ports/FileSystem.h"
#include "ports/UserInteraction.h"

namespace vantelo {

// The monitor list files as the console's commands use them.
class MonitorFiles {
public:
    MonitorFiles(AgentLists& lists, Boxes& boxes, UserInteraction& ui, FileSystem& files,
                 std::string configDirectory)
        : lists_(lists),
          boxes_(boxes),
          ui_(ui),
          files_(files),
          configDirectory_(std::move(configDirectory)) {}

    // Start-up: fills the empty monitor list from monitor.cfg in the configuration directory.
    void LoadAtStartup();
    // "Monitor save": writes the monitor list to monitor.cfg; a box only when that fails.
    void Save();
    // "Monitor save as": writes the monitor list to a file the operator chooses; a box only when
    // that fails.
    void SaveAs();
    // "Monitor load": appends the records of a file the operator chooses, skipping duplicates.
    void Load();

private:
    std::string MonitorFilePath() const;
    int AppendLoaded(DeviceRecord record);
    void SaveTo(const std::string& path, int count);

    AgentLists& lists_;
    Boxes& boxes_;
    UserInteraction& ui_;
    FileSystem& files_;
    std::string configDirectory_;
};

}  // namespace vantelo
