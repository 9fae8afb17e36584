#include "WebPage.h"

#include "AgentSetup.h"
#include "protocol/Conversions.h"

namespace vantelo::agentsim {

namespace {

std::string Escaped(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '&':
                out += "&amp;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string Row(const char* name, std::string_view value) {
    return std::string("<tr><th>") + name + "</th><td>" + Escaped(value) + "</td></tr>\n";
}

std::string Page(const Agent& agent) {
    const AgentSettings& a = agent.settings;
    std::string title = Escaped(a.systemName.empty() ? a.productName : a.systemName);
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" + title +
           "</title></head>\n<body><h1>" + title + "</h1>\n<table>\n" +
           Row("Product", a.productName) + Row("System name", a.systemName) +
           Row("Location", a.location) + Row("MAC address", agent.macText) +
           Row("IP address", IpToText(a.ip)) + Row("Subnet mask", IpToText(a.subnetMask)) +
           Row("Gateway", IpToText(a.gateway)) + Row("Trap IP", IpToText(a.trapIp)) +
           Row("DHCP", DhcpStateText(a.dhcp)) +
           Row("Firmware", a.loaderMode ? "loader" : "running") + "</table></body></html>\n";
}

std::string Response(int status, const char* reason, const std::string& body, bool withBody) {
    std::string head = "HTTP/1.0 " + std::to_string(status) + " " + reason +
                       "\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: " +
                       std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n";
    return withBody ? head + body : head;
}

}  // namespace

WebResponse AnswerWebRequest(const Agent& agent, std::string_view head) {
    std::string_view line = head.substr(0, head.find("\r\n"));
    size_t methodEnd = line.find(' ');
    size_t pathEnd =
        methodEnd == std::string_view::npos ? methodEnd : line.find(' ', methodEnd + 1);
    if (pathEnd == std::string_view::npos || line.substr(pathEnd + 1).rfind("HTTP/", 0) != 0) {
        return {400, "", Response(400, "Bad Request", "<p>Bad request</p>\n", true)};
    }
    std::string_view method = line.substr(0, methodEnd);
    std::string path(line.substr(methodEnd + 1, pathEnd - methodEnd - 1));
    bool isHead = method == "HEAD";
    if (method != "GET" && !isHead) {
        return {405, path, Response(405, "Method Not Allowed", "<p>GET only</p>\n", true)};
    }
    if (path != "/" && path != "/index.html") {
        return {404, path, Response(404, "Not Found", "<p>Not found</p>\n", !isHead)};
    }
    return {200, path, Response(200, "OK", Page(agent), !isHead)};
}

}  // namespace vantelo::agentsim
