#include "lists/ColumnTable.h"

#include "protocol/Conversions.h"
#include "protocol/RecordText.h"

namespace vantelo {

namespace {

std::string DhcpText(uint16_t dhcp) {
    if (dhcp == kDhcpNotReported) {
        return "";
    }
    return dhcp == 0 ? "disable" : "enable";
}

}  // namespace

std::string_view FieldKey(CellField field) {
    switch (field) {
        case CellField::Image:
            return "status";
        case CellField::MacText:
            return "mac";
        case CellField::IpText:
            return "ip";
        case CellField::Version:
            return "version";
        case CellField::ProductName:
            return "productName";
        case CellField::SystemName:
            return "systemName";
        case CellField::Dhcp:
            return "dhcp";
        case CellField::Location:
            return "location";
        case CellField::TrapIpText:
            return "trapIp";
        case CellField::SubnetMaskText:
            return "subnetMask";
        case CellField::GatewayText:
            return "gateway";
        case CellField::TrapTime:
            return "time";
        case CellField::TrapAgent:
            return "agent";
        case CellField::TrapEvent:
            return "event";
        case CellField::Nothing:
            break;
    }
    return "";
}

std::string CellText(const DeviceRecord& record, CellField field) {
    switch (field) {
        case CellField::MacText:
            return std::string(TextOf(record.macText));
        case CellField::IpText:
            return std::string(TextOf(record.ipText));
        case CellField::Version:
            return VersionText(record.protocolVersion, record.direction, record.interfaceVersion);
        case CellField::ProductName:
            return std::string(TextOf(record.productName));
        case CellField::SystemName:
            return std::string(TextOf(record.systemName));
        case CellField::Dhcp:
            return DhcpText(record.dhcp);
        case CellField::Location:
            return std::string(TextOf(record.location));
        case CellField::TrapIpText:
            return std::string(TextOf(record.trapIpText));
        case CellField::SubnetMaskText:
            return std::string(TextOf(record.subnetMaskText));
        case CellField::GatewayText:
            return std::string(TextOf(record.gatewayText));
        default:
            return "";
    }
}

std::vector<std::string> RecordCells(ColumnTable columns, const DeviceRecord& record) {
    std::vector<std::string> cells;
    cells.reserve(columns.size());
    for (const ListColumn& column : columns) {
        cells.push_back(CellText(record, column.field));
    }
    return cells;
}

std::vector<std::string> Titles(ColumnTable columns) {
    std::vector<std::string> titles;
    titles.reserve(columns.size());
    for (const ListColumn& column : columns) {
        titles.emplace_back(column.title);
    }
    return titles;
}

std::vector<std::string> ShownCells(ColumnTable columns, const ListModel& list, int row,
                                    const ImageText& imageText) {
    std::vector<std::string> cells;
    cells.reserve(columns.size());
    for (size_t c = 0; c < columns.size(); ++c) {
        if (columns[c].field == CellField::Image && imageText) {
            cells.push_back(imageText(list.Image(row)));
        } else {
            cells.push_back(list.Text(row, static_cast<int>(c)));
        }
    }
    return cells;
}

}  // namespace vantelo
