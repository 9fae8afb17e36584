// The CSV writer: one record a line ended by CR LF, a field quoted only when it holds a comma,
// a quote, a CR or an LF, quotes doubled, and every other byte kept as it is.

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "lists/AgentLists.h"
#include "lists/Csv.h"
#include "monitor/TrapInfo.h"

namespace vantelo {
namespace {

std::string Record(const std::vector<std::string>& fields) {
    std::string out;
    AppendCsvRecord(out, fields);
    return out;
}

// Every byte from 0x80 to 0xFF: Latin-1 letters, signs and the C1 controls.
std::string HighBytes() {
    std::string bytes;
    for (int b = 0x80; b <= 0xFF; ++b) {
        bytes += static_cast<char>(b);
    }
    return bytes;
}

TEST(Csv, FieldsAreQuotedOnlyWhenTheyMustBe) {
    const struct {
        const char* name;
        std::vector<std::string> fields;
        std::string record;
    } cases[] = {
        {"no field", {}, "\r\n"},
        {"one empty field", {""}, "\r\n"},
        {"empty fields", {"", "", ""}, ",,\r\n"},
        {"plain", {"VS-8", "10.77.0.2"}, "VS-8,10.77.0.2\r\n"},
        {"comma", {"lab, rack 2", "x"}, "\"lab, rack 2\",x\r\n"},
        {"quote", {"say \"hi\""}, "\"say \"\"hi\"\"\"\r\n"},
        {"quote alone", {"\""}, "\"\"\"\"\r\n"},
        {"CR", {"a\rb"}, "\"a\rb\"\r\n"},
        {"LF", {"a\nb"}, "\"a\nb\"\r\n"},
        {"CRLF", {"a\r\nb", "c"}, "\"a\r\nb\",c\r\n"},
        {"leading and trailing spaces kept", {" core ", "  "}, " core ,  \r\n"},
        {"tab kept unquoted", {"a\tb"}, "a\tb\r\n"},
        {"bytes 0x80 to 0xFF kept", {HighBytes()}, HighBytes() + "\r\n"},
        {"Latin-1 with a comma", {"\xE9t\xE9, hiver"}, "\"\xE9t\xE9, hiver\"\r\n"},
        {"quotes and bytes", {"\xAB\"\xBB"}, "\"\xAB\"\"\xBB\"\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Record(c.fields), c.record) << c.name;
    }
}

TEST(Csv, RecordsAppendToWhatIsWritten) {
    std::string out = "a\r\n";
    AppendCsvRecord(out, std::vector<std::string>{"b", "c"});
    EXPECT_EQ(out, "a\r\nb,c\r\n");
}

DeviceRecord Agent(int number, const char* ip) {
    DeviceRecord record{};
    std::snprintf(record.macText, sizeof record.macText, "0200000000%02d", number);
    std::snprintf(record.ipText, sizeof record.ipText, "%s", ip);
    std::snprintf(record.location, sizeof record.location, "%s", number == 2 ? "hall, east" : "");
    record.protocolVersion = 2;
    record.direction = 1;
    record.interfaceVersion = 2;
    record.dhcp = 0;
    return record;
}

// The list is written as it shows its rows: after a sort, in the sorted order.
TEST(Csv, AListIsWrittenInTheOrderItShows) {
    auto lists = std::make_unique<AgentLists>();
    lists->StoreDiscovery(0, Agent(1, "10.77.0.9"));
    lists->StoreDiscovery(1, Agent(2, "10.77.0.10"));
    lists->StoreDiscovery(2, Agent(3, "10.77.0.11"));
    lists->Sort(ListId::Discovery, 1);  // the first sort is descending: texts compare as text
    EXPECT_EQ(ListCsv(kDiscoveryColumnTable, lists->DiscoveryList(), {}),
              "MAC Address,IP Address,Protocol Version,Product Name,System Name,DHCP,Location,"
              "Trap IP,Subnet Mask,Gateway\r\n"
              "020000000001,10.77.0.9,2.001.002,,,disable,,,,\r\n"
              "020000000003,10.77.0.11,2.001.002,,,disable,,,,\r\n"
              "020000000002,10.77.0.10,2.001.002,,,disable,\"hall, east\",,,\r\n");
}

TEST(Csv, AnEmptyListIsItsHeader) {
    ListModel traps(kTrapColumns);
    EXPECT_EQ(ListCsv(kTrapColumnTable, traps, {}), "S,Time,IP,Event, \r\n");
}

TEST(Csv, TheImageColumnReadsThroughItsText) {
    TrapStore store;
    store.Add("12/11/2026 11:28:46", "10.77.0.5", "link \"up\"");
    store.Add("12/11/2026 11:28:47", "10.77.0.6", "cold start");
    store.MarkRead(0);
    ListModel rows(kTrapColumns);
    FillTrapRows(store, rows);
    const ImageText mark = [](int image) {
        return image == kTrapUnread ? std::string("unread") : std::string();
    };
    EXPECT_EQ(ListCsv(kTrapColumnTable, rows, mark),
              "S,Time,IP,Event, \r\n"
              ",12/11/2026 11:28:46,10.77.0.5,\"link \"\"up\"\"\",\r\n"
              "unread,12/11/2026 11:28:47,10.77.0.6,cold start,\r\n");
}

}  // namespace
}  // namespace vantelo
