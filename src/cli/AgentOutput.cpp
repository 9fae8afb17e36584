#include "cli/AgentOutput.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cstdio>

#include "lists/ColumnTable.h"
#include "lists/Csv.h"

namespace vantelo::cli {

namespace {

AgentRow RowOf(const DeviceRecord& record, std::vector<std::string> cells, bool monitored) {
    AgentRow row;
    row.cells = std::move(cells);
    row.loaderMode = record.loaderMark == kLoaderMark;
    row.protocolVersion = record.protocolVersion;
    row.interfaceVersion = record.interfaceVersion;
    row.monitored = monitored;
    return row;
}

// The monitor list's status column in words: the not-alive icon, or nothing.
std::string StatusText(int image) {
    return image == kNotAliveImage ? "not alive" : "";
}

// The column titles as the first line, then a line a row, each printed by line(cells).
template <typename PrintLine>
void PrintLines(ColumnTable columns, const std::vector<AgentRow>& rows, PrintLine line) {
    line(Titles(columns));
    for (const AgentRow& row : rows) {
        line(row.cells);
    }
}

// Agents' texts are one byte a character, so a cell's width is its length in bytes.
void PrintTable(ColumnTable columns, const std::vector<AgentRow>& rows) {
    std::vector<size_t> widths;
    for (const ListColumn& column : columns) {
        widths.push_back(column.title.size());
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

void PrintCsv(ColumnTable columns, const std::vector<AgentRow>& rows) {
    auto line = [](const std::vector<std::string>& cells) {
        std::string text;
        AppendCsvRecord(text, cells);
        std::fwrite(text.data(), 1, text.size(), stdout);
    };
    PrintLines(columns, rows, line);
}

// Agents found on more than one interface get the interface's name as the table's last
// column; on one interface the table stays as it was.
bool SpansInterfaces(const std::vector<AgentRow>& rows) {
    return std::any_of(rows.begin(), rows.end(), [&](const AgentRow& row) {
        return InterfaceText(row.networkInterface) != InterfaceText(rows.front().networkInterface);
    });
}

void PrintTableWithInterfaces(ColumnTable columns, std::vector<AgentRow> rows) {
    std::vector<ListColumn> withInterface(columns.begin(), columns.end());
    withInterface.push_back({"Interface", 0, Alignment::Left, CellField::Nothing});
    for (AgentRow& row : rows) {
        row.cells.push_back(InterfaceText(row.networkInterface));
    }
    PrintTable(withInterface, rows);
}

QString Latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

void PrintJson(ListId list, ColumnTable columns, const std::vector<AgentRow>& rows) {
    QJsonArray agents;
    for (const AgentRow& row : rows) {
        QJsonObject agent;
        for (size_t c = 0; c < columns.size(); ++c) {
            agent.insert(Latin1(FieldKey(columns[c].field)), Latin1(row.cells[c]));
        }
        if (list == ListId::Discovery) {
            agent.insert(QStringLiteral("loaderMode"), row.loaderMode);
            agent.insert(QStringLiteral("protocolVersion"), row.protocolVersion);
            agent.insert(QStringLiteral("interfaceVersion"), row.interfaceVersion);
            agent.insert(QStringLiteral("monitored"), row.monitored);
        }
        agent.insert(QStringLiteral("interface"), InterfaceJson(row.networkInterface));
        agents.append(agent);
    }
    std::printf("%s\n",
                QJsonDocument(agents).toJson(QJsonDocument::Indented).trimmed().constData());
}

}  // namespace

std::string InterfaceText(const std::optional<NetworkInterface>& networkInterface) {
    return networkInterface ? networkInterface->name : std::string();
}

QJsonValue InterfaceJson(const std::optional<NetworkInterface>& networkInterface) {
    if (!networkInterface) {
        return QJsonValue::Null;
    }
    return Latin1(InterfaceText(networkInterface));
}

std::vector<AgentRow> DiscoveredAgents(const Console& console) {
    std::vector<AgentRow> rows;
    const ListModel& discovery = console.DiscoveryList();
    for (int row = 0; row < discovery.RowCount(); ++row) {
        auto slot = static_cast<size_t>(discovery.ItemData(row));
        rows.push_back(RowOf(console.DiscoveryTable()[slot],
                             ShownCells(kDiscoveryColumnTable, discovery, row, {}), false));
        rows.back().networkInterface = console.InterfaceOf(console.DiscoveryTable()[slot]);
    }
    for (int slot = 0; slot < console.MonitorList().RowCount(); ++slot) {
        const DeviceRecord& record = console.MonitorTable()[static_cast<size_t>(slot)];
        if (record.answered == 1) {
            // It answered into its monitor row; shown as the discovery list shows a record.
            rows.push_back(RowOf(record, RecordCells(kDiscoveryColumnTable, record), true));
            rows.back().networkInterface = console.InterfaceOf(record);
        }
    }
    return rows;
}

std::vector<AgentRow> MonitoredAgents(const Console& console) {
    std::vector<AgentRow> rows;
    const ListModel& monitor = console.MonitorList();
    for (int row = 0; row < monitor.RowCount(); ++row) {
        const DeviceRecord& record = console.MonitorTable()[static_cast<size_t>(row)];
        rows.push_back(
            RowOf(record, ShownCells(kMonitorColumnTable, monitor, row, StatusText), true));
        rows.back().networkInterface = console.InterfaceOf(record);
    }
    return rows;
}

void PrintAgents(ListId list, const std::vector<AgentRow>& rows, OutputFormat format) {
    const ColumnTable columns = ColumnsOf(list);
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
