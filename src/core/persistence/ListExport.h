#pragma once

#include <string>

#include "events/Boxes.h"
#include "lists/ColumnTable.h"
#include "lists/ListModel.h"
#include "ports/FileSystem.h"
#include "ports/UserInteraction.h"

namespace vantelo {

// What the monitor list's status column says in an export: the unread-trap mark and the
// not-alive icon.
std::string MonitorImageText(int image);

// Exports of a list: its own columns, every row in the order it shows them, as CSV, to a file
// the operator chooses. Cancel writes nothing; a file that cannot be written whole is told in a
// box.
class ListExport {
public:
    ListExport(Boxes& boxes, UserInteraction& ui, FileSystem& files)
        : boxes_(boxes), ui_(ui), files_(files) {}

    void Export(ColumnTable columns, const ListModel& list, const ImageText& imageText,
                const std::string& initialName);

private:
    Boxes& boxes_;
    UserInteraction& ui_;
    FileSystem& files_;
};

}  // namespace vantelo
