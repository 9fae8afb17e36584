#pragma once

#include <string>
#include <string_view>

#include "Agent.h"

namespace vantelo::agentsim {

struct WebResponse {
    int status;
    std::string path;
    std::string bytes;
};

// Answers the head of an HTTP request (request line and header lines) with the agent's page:
// 200 for GET or HEAD of "/" or "/index.html", 404 for other paths, 405 for other methods and
// 400 for a request line that cannot be read. Every response closes the connection.
WebResponse AnswerWebRequest(const Agent& agent, std::string_view head);

}  // namespace vantelo::agentsim
