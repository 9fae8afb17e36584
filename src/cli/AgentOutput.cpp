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

AgentRow RowOf(const CliSession& session, const DeviceRecord& record,
               std::vector<std::string> cells, bool monitored) {
    AgentRow row;
    row.cells = std::move(cells);
    row.record = record;
    row.state.monitored = monitored;
    row.state.alive = monitored ? MonitoredAlive(record) : std::optional<bool>(true);
    row.state.lastSeen = session.LastSeen(record);
    row.state.networkInterface = session.InterfaceOf(record);
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
        return row.state.networkInterface != rows.front().state.networkInterface;
    });
}

void PrintTableWithInterfaces(ColumnTable columns, std::vector<AgentRow> rows) {
    std::vector<ListColumn> withInterface(columns.begin(), columns.end());
    withInterface.push_back({"Interface", 0, Alignment::Left, CellField::Nothing});
    for (AgentRow& row : rows) {
        row.cells.push_back(row.state.networkInterface.value_or(std::string()));
    }
    PrintTable(withInterface, rows);
}

void PrintJson(const std::vector<AgentRow>& rows) {
    QJsonArray agents;
    for (const AgentRow& row : rows) {
        agents.append(AgentJson(row.record, row.state));
    }
    std::printf("%s\n",
                QJsonDocument(agents).toJson(QJsonDocument::Indented).trimmed().constData());
}

}  // namespace

std::optional<bool> MonitoredAlive(const DeviceRecord& record) {
    if (record.statusImage == kNotAliveImage) {
        return false;
    }
    return record.answered == 1 ? std::optional<bool>(true) : std::nullopt;
}

std::vector<AgentRow> DiscoveredAgents(const CliSession& session) {
    const Console& console = session.Engine();
    std::vector<AgentRow> rows;
    const ListModel& discovery = console.DiscoveryList();
    for (int row = 0; row < discovery.RowCount(); ++row) {
        auto slot = static_cast<size_t>(discovery.ItemData(row));
        rows.push_back(RowOf(session, console.DiscoveryTable()[slot],
                             ShownCells(kDiscoveryColumnTable, discovery, row, {}), false));
    }
    for (int slot = 0; slot < console.MonitorList().RowCount(); ++slot) {
        const DeviceRecord& record = console.MonitorTable()[static_cast<size_t>(slot)];
        if (record.answered == 1) {
            // It answered into its monitor row; shown as the discovery list shows a record.
            rows.push_back(
                RowOf(session, record, RecordCells(kDiscoveryColumnTable, record), true));
        }
    }
    return rows;
}

std::vector<AgentRow> MonitoredAgents(const CliSession& session) {
    const Console& console = session.Engine();
    std::vector<AgentRow> rows;
    const ListModel& monitor = console.MonitorList();
    for (int row = 0; row < monitor.RowCount(); ++row) {
        rows.push_back(RowOf(session, console.MonitorTable()[static_cast<size_t>(row)],
                             ShownCells(kMonitorColumnTable, monitor, row, StatusText), true));
    }
    return rows;
}

void PrintAgents(ListId list, const std::vector<AgentRow>& rows, OutputFormat format) {
    const ColumnTable columns = ColumnsOf(list);
    switch (format) {
        case OutputFormat::Json:
            PrintJson(rows);
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
