#include "cli/AgentOutput.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cstdio>
#include <memory>

#include "lists/ListRows.h"
#include "protocol/Conversions.h"

namespace vantelo::cli {

namespace {

struct Column {
    const char* title;
    const char* key;  // the JSON field
};

const std::vector<Column> kDiscoveryTitles = {
    {"MAC Address", "mac"},          {"IP Address", "ip"},          {"Protocol Version", "version"},
    {"Product Name", "productName"}, {"System Name", "systemName"}, {"DHCP", "dhcp"},
    {"Location", "location"},        {"Trap IP", "trapIp"},         {"Subnet Mask", "subnetMask"},
    {"Gateway", "gateway"},
};

const std::vector<Column> kMonitorTitles = {
    {"S", "status"},
    {"IP Address", "ip"},
    {"MAC Address", "mac"},
    {"Protocol Version", "version"},
    {"Product Name", "productName"},
    {"System Name", "systemName"},
    {"DHCP", "dhcp"},
    {"Location", "location"},
    {"Trap IP", "trapIp"},
    {"Subnet Mask", "subnetMask"},
    {"Gateway", "gateway"},
};

std::vector<std::string> Cells(const ListModel& list, int row) {
    std::vector<std::string> cells;
    for (int column = 0; column < list.ColumnCount(); ++column) {
        cells.push_back(list.Text(row, column));
    }
    return cells;
}

AgentRow RowOf(const DeviceRecord& record, std::vector<std::string> cells, bool monitored) {
    AgentRow row;
    row.cells = std::move(cells);
    row.loaderMode = record.loaderMark == kLoaderMark;
    row.protocolVersion = record.protocolVersion;
    row.interfaceVersion = record.interfaceVersion;
    row.monitored = monitored;
    return row;
}

// A monitored agent's record as the discovery list would show it, by the list's own rule.
std::vector<std::string> AsDiscoveryCells(const DeviceRecord& record) {
    auto table = std::make_unique<DeviceTable>();
    (*table)[0] = record;
    (*table)[0].rowState = kRowNotShown;
    ListModel list(kDiscoveryColumns);
    ShowDiscoveryRow(*table, list, 0);
    return Cells(list, 0);
}

// The column titles as the first line, then a line a row, each printed by line(cells).
template <typename PrintLine>
void PrintLines(const std::vector<Column>& columns, const std::vector<AgentRow>& rows,
                PrintLine line) {
    std::vector<std::string> titles;
    for (const Column& column : columns) {
        titles.emplace_back(column.title);
    }
    line(titles);
    for (const AgentRow& row : rows) {
        line(row.cells);
    }
}

void PrintTable(const std::vector<Column>& columns, const std::vector<AgentRow>& rows) {
    std::vector<size_t> widths;
    for (const Column& column : columns) {
        widths.push_back(std::string(column.title).size());
    }
    for (const AgentRow& row : rows) {
        for (size_t c = 0; c < columns.size(); ++c) {
            widths[c] = std::max(widths[c], row.cells[c].size());
        }
    }
    auto line = [&](const std::vector<std::string>& cells) {
        std::string text;
        for (size_t c = 0; c < cells.size(); ++c) {
            std::string cell = cells[c];
            if (c + 1 < cells.size()) {
                cell.resize(widths[c] + 2, ' ');
            }
            text += cell;
        }
        text.erase(text.find_last_not_of(' ') + 1);
        std::printf("%s\n", text.c_str());
    };
    PrintLines(columns, rows, line);
}

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return quoted + "\"";
}

void PrintCsv(const std::vector<Column>& columns, const std::vector<AgentRow>& rows) {
    auto line = [](const std::vector<std::string>& cells) {
        std::string text;
        for (size_t c = 0; c < cells.size(); ++c) {
            text += (c == 0 ? "" : ",") + CsvField(cells[c]);
        }
        std::printf("%s\r\n", text.c_str());
    };
    PrintLines(columns, rows, line);
}

QJsonValue InterfaceJson(const std::optional<NetworkInterface>& iface) {
    if (!iface) {
        return QJsonValue::Null;
    }
    return QJsonObject{
        {QStringLiteral("index"), iface->index},
        {QStringLiteral("name"), QString::fromStdString(iface->name)},
        {QStringLiteral("address"), QString::fromStdString(IpToText(iface->address))}};
}

// Agents found on more than one interface get the interface's name as the table's last
// column; on one interface the table stays as it was.
bool SpansInterfaces(const std::vector<AgentRow>& rows) {
    auto nameOf = [](const AgentRow& row) {
        return row.networkInterface ? row.networkInterface->name : std::string();
    };
    return std::any_of(rows.begin(), rows.end(),
                       [&](const AgentRow& row) { return nameOf(row) != nameOf(rows.front()); });
}

void PrintTableWithInterfaces(std::vector<Column> columns, std::vector<AgentRow> rows) {
    columns.push_back({"Interface", "interface"});
    for (AgentRow& row : rows) {
        row.cells.push_back(row.networkInterface ? row.networkInterface->name : "");
    }
    PrintTable(columns, rows);
}

void PrintJson(ListId list, const std::vector<Column>& columns, const std::vector<AgentRow>& rows) {
    QJsonArray agents;
    for (const AgentRow& row : rows) {
        QJsonObject agent;
        for (size_t c = 0; c < columns.size(); ++c) {
            agent.insert(QString::fromLatin1(columns[c].key), QString::fromStdString(row.cells[c]));
        }
        if (list == ListId::Discovery) {
            agent.insert(QStringLiteral("loaderMode"), row.loaderMode);
            agent.insert(QStringLiteral("protocolVersion"), row.protocolVersion);
            agent.insert(QStringLiteral("interfaceVersion"), row.interfaceVersion);
            agent.insert(QStringLiteral("monitored"), row.monitored);
        }
        agent.insert(QStringLiteral("via"), InterfaceJson(row.networkInterface));
        agents.append(agent);
    }
    std::printf("%s\n",
                QJsonDocument(agents).toJson(QJsonDocument::Indented).trimmed().constData());
}

}  // namespace

std::vector<AgentRow> DiscoveredAgents(const Console& console) {
    std::vector<AgentRow> rows;
    const ListModel& discovery = console.DiscoveryList();
    for (int row = 0; row < discovery.RowCount(); ++row) {
        auto slot = static_cast<size_t>(discovery.ItemData(row));
        rows.push_back(RowOf(console.DiscoveryTable()[slot], Cells(discovery, row), false));
        rows.back().networkInterface = console.InterfaceOf(console.DiscoveryTable()[slot]);
    }
    for (int slot = 0; slot < console.MonitorList().RowCount(); ++slot) {
        const DeviceRecord& record = console.MonitorTable()[static_cast<size_t>(slot)];
        if (record.answered == 1) {
            rows.push_back(RowOf(record, AsDiscoveryCells(record), true));
            rows.back().networkInterface = console.InterfaceOf(record);
        }
    }
    return rows;
}

std::vector<AgentRow> MonitoredAgents(const Console& console) {
    std::vector<AgentRow> rows;
    const ListModel& monitor = console.MonitorList();
    for (int row = 0; row < monitor.RowCount(); ++row) {
        std::vector<std::string> cells = Cells(monitor, row);
        cells[0] = monitor.Image(row) == kNotAliveImage ? "not alive" : "";
        const DeviceRecord& record = console.MonitorTable()[static_cast<size_t>(row)];
        rows.push_back(RowOf(record, cells, true));
        rows.back().networkInterface = console.InterfaceOf(record);
    }
    return rows;
}

void PrintAgents(ListId list, const std::vector<AgentRow>& rows, OutputFormat format) {
    const std::vector<Column>& columns =
        list == ListId::Discovery ? kDiscoveryTitles : kMonitorTitles;
    switch (format) {
        case OutputFormat::Json:
            PrintJson(list, columns, rows);
            break;
        case OutputFormat::Csv:
            PrintCsv(columns, rows);
            break;
        case OutputFormat::Text:
            if (SpansInterfaces(rows)) {
                PrintTableWithInterfaces(columns, rows);
            } else {
                PrintTable(columns, rows);
            }
            break;
    }
}

}  // namespace vantelo::cli
