#pragma once

#include <array>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lists/ListModel.h"
#include "protocol/DeviceRecord.h"

namespace vantelo {

enum class Alignment { Left, Centre };

// What a column's cells show: a field of the record behind the row, the row's image, or
// nothing.
enum class CellField {
    Image,
    MacText,
    IpText,
    Version,
    ProductName,
    SystemName,
    Dhcp,
    Location,
    TrapIpText,
    SubnetMaskText,
    GatewayText,
    TrapTime,
    TrapAgent,
    TrapEvent,
    Nothing,
};

// One column of a list: its heading, its width in pixels, how its heading and cells are
// aligned, and what its cells show.
struct ListColumn {
    std::string_view title;
    int width;
    Alignment alignment;
    CellField field;
};

using ColumnTable = std::span<const ListColumn>;

// The columns of the discovery list, the monitor list and the trap dialog's list, left to right.
// Every face of a list (the windows, the command-line tool's outputs, the exports) takes its
// columns from here.
inline constexpr std::array<ListColumn, 10> kDiscoveryColumnTable = {{
    {"MAC Address", 100, Alignment::Centre, CellField::MacText},
    {"IP Address", 100, Alignment::Left, CellField::IpText},
    {"Protocol Version", 100, Alignment::Left, CellField::Version},
    {"Product Name", 100, Alignment::Left, CellField::ProductName},
    {"System Name", 100, Alignment::Left, CellField::SystemName},
    {"DHCP", 100, Alignment::Left, CellField::Dhcp},
    {"Location", 100, Alignment::Left, CellField::Location},
    {"Trap IP", 100, Alignment::Left, CellField::TrapIpText},
    {"Subnet Mask", 100, Alignment::Left, CellField::SubnetMaskText},
    {"Gateway", 100, Alignment::Left, CellField::GatewayText},
}};

inline constexpr std::array<ListColumn, 11> kMonitorColumnTable = {{
    {"S", 20, Alignment::Centre, CellField::Image},
    {"IP Address", 80, Alignment::Left, CellField::IpText},
    {"MAC Address", 100, Alignment::Left, CellField::MacText},
    {"Protocol Version", 100, Alignment::Left, CellField::Version},
    {"Product Name", 100, Alignment::Left, CellField::ProductName},
    {"System Name", 100, Alignment::Left, CellField::SystemName},
    {"DHCP", 100, Alignment::Left, CellField::Dhcp},
    {"Location", 100, Alignment::Left, CellField::Location},
    {"Trap IP", 100, Alignment::Left, CellField::TrapIpText},
    {"Subnet Mask", 100, Alignment::Left, CellField::SubnetMaskText},
    {"Gateway", 100, Alignment::Left, CellField::GatewayText},
}};

inline constexpr std::array<ListColumn, 5> kTrapColumnTable = {{
    {"S", 20, Alignment::Left, CellField::Image},
    {"Time", 100, Alignment::Left, CellField::TrapTime},
    {"IP", 100, Alignment::Left, CellField::TrapAgent},
    {"Event", 800, Alignment::Left, CellField::TrapEvent},
    {" ", 30, Alignment::Left, CellField::Nothing},
}};

inline constexpr int kDiscoveryColumns = static_cast<int>(kDiscoveryColumnTable.size());
inline constexpr int kMonitorColumns = static_cast<int>(kMonitorColumnTable.size());
inline constexpr int kTrapColumns = static_cast<int>(kTrapColumnTable.size());

// The name of a field in machine-readable output ("mac", "ip", ...); empty for Nothing.
std::string_view FieldKey(CellField field);

// The text a cell of a device list shows for record; empty for the image and for the fields
// of other records.
std::string CellText(const DeviceRecord& record, CellField field);
// The texts of record's row, column by column.
std::vector<std::string> RecordCells(ColumnTable columns, const DeviceRecord& record);

std::vector<std::string> Titles(ColumnTable columns);

// What an image column says in text, by the row's image index.
using ImageText = std::function<std::string(int image)>;

// The texts a list's row shows, column by column; an image column reads imageText of the row's
// image, or its (empty) text when imageText is empty.
std::vector<std::string> ShownCells(ColumnTable columns, const ListModel& list, int row,
                                    const ImageText& imageText);

}  // namespace vantelo
