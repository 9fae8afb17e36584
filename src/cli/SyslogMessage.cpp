#include "cli/SyslogMessage.h"

#include <cstdio>
#include <ctime>

#include "cli/Utf8Text.h"

namespace vantelo::cli {

namespace {

constexpr int kFacilityDaemon = 3;
// The SD-ID of our structured data: a name at the enterprise number kept for documentation
// and private use (RFC 5612), since the project has none of its own.
constexpr const char* kSdId = "agent@32473";

struct KindText {
    int severity;
    const char* msgId;
};

KindText TextOfKind(LogKind kind) {
    switch (kind) {
        case LogKind::Trap:
            return {5, "trap"};  // notice
        case LogKind::NotAlive:
            return {4, "not-alive"};  // warning
        default:
            return {3, "upgrade-failed"};  // error
    }
}

// An RFC 3339 time in UTC with milliseconds, as RFC 5424 wants it.
std::string Timestamp(std::chrono::system_clock::time_point when) {
    auto since = when.time_since_epoch();
    std::time_t seconds =
        static_cast<std::time_t>(std::chrono::duration_cast<std::chrono::seconds>(since).count());
    auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(since).count() % 1000;
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[96];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", utc.tm_year + 1900,
                  utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec,
                  static_cast<int>(millis));
    return text;
}

// HOSTNAME: 1 to 255 printable US-ASCII characters, or the nil value.
std::string HostField(const std::string& hostname) {
    if (hostname.empty() || hostname.size() > 255) {
        return "-";
    }
    for (char c : hostname) {
        if (c < 33 || c > 126) {
            return "-";
        }
    }
    return hostname;
}

std::string ParamValue(std::string_view text) {
    std::string escaped;
    for (char c : ValidUtf8(text)) {
        if (c == '"' || c == '\\' || c == ']') {
            escaped.push_back('\\');
        }
        escaped.push_back(c);
    }
    return escaped;
}

std::string OneLine(std::string_view text) {
    std::string line = ValidUtf8(text);
    for (char& c : line) {
        auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            c = ' ';
        }
    }
    while (!line.empty() && line.back() == ' ') {
        line.pop_back();
    }
    return line;
}

}  // namespace

std::string SyslogMessage(const LogEvent& event, std::chrono::system_clock::time_point when,
                          const SyslogOrigin& origin) {
    KindText kind = TextOfKind(event.kind);
    std::string message = "<" + std::to_string(kFacilityDaemon * 8 + kind.severity) + ">1 ";
    message.append(Timestamp(when)).append(" ");
    message.append(HostField(origin.hostname)).append(" vantelo ");
    message.append(std::to_string(origin.processId)).append(" ");
    message.append(kind.msgId).append(" [").append(kSdId);
    message.append(" mac=\"").append(ParamValue(event.macText)).append("\"");
    message.append(" ip=\"").append(ParamValue(event.ipText)).append("\"] ");
    std::string text(event.ipText);
    text.append(" ").append(event.text);
    message.append(OneLine(text));
    return message;
}

}  // namespace vantelo::cli
