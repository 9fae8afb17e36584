#include "HttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

#include "WebPage.h"
#include "protocol/Conversions.h"

namespace vantelo::agentsim {

HttpServer::~HttpServer() {
    for (Connection& c : connections_) {
        close(c.fd);
    }
    if (listener_ >= 0) {
        close(listener_);
    }
}

int HttpServer::Open(uint16_t port, std::string* error) {
    listener_ = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    int on = 1;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    if (listener_ < 0 || setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0 ||
        bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener_, 64) != 0) {
        *error =
            "cannot listen on the web port " + std::to_string(port) + ": " + std::strerror(errno);
        return -1;
    }
    return 0;
}

void HttpServer::Watch(std::vector<pollfd>* fds, std::vector<std::function<void(short)>>* work,
                       int64_t nowMs) {
    fds->push_back({listener_, POLLIN, 0});
    work->push_back([this, nowMs](short) { Accept(nowMs); });
    for (Connection& c : connections_) {
        bool writing = !c.response.empty();
        fds->push_back({c.fd, static_cast<short>(writing ? POLLOUT : POLLIN), 0});
        int fd = c.fd;
        // Looked up again when ready: an earlier piece of work may have closed it.
        work->push_back([this, fd](short) {
            for (Connection& found : connections_) {
                if (found.fd == fd) {
                    found.response.empty() ? Read(found) : Write(found);
                    return;
                }
            }
        });
    }
}

void HttpServer::Accept(int64_t nowMs) {
    while (true) {
        int fd = accept4(listener_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            return;
        }
        sockaddr_in local{};
        socklen_t length = sizeof local;
        getsockname(fd, reinterpret_cast<sockaddr*>(&local), &length);
        uint32_t ip = ntohl(local.sin_addr.s_addr);
        Agent* agent = simulator_.FindAgent(ip);
        // Nothing answers at an address without a running agent.
        if (agent == nullptr || agent->state != AgentState::Running ||
            connections_.size() >= kMaxConnections) {
            close(fd);
            continue;
        }
        connections_.push_back({fd, ip, "", "", 0, nowMs + kConnectionMs});
    }
}

void HttpServer::Read(Connection& c) {
    char buffer[2048];
    ssize_t size = recv(c.fd, buffer, sizeof buffer, 0);
    if (size <= 0) {
        if (size == 0 || (errno != EAGAIN && errno != EINTR)) {
            Close(c);
        }
        return;
    }
    c.request.append(buffer, static_cast<size_t>(size));
    size_t end = c.request.find("\r\n\r\n");
    if (end == std::string::npos) {
        if (c.request.size() > kMaxRequestHead) {
            Close(c);
        }
        return;
    }
    Agent* agent = simulator_.FindAgent(c.localIp);
    if (agent == nullptr || agent->state != AgentState::Running) {
        Close(c);
        return;
    }
    WebResponse response = AnswerWebRequest(*agent, std::string_view(c.request).substr(0, end));
    emit_("http " + IpToText(c.localIp) + " " + std::to_string(response.status) + " " +
          (response.path.empty() ? "-" : response.path));
    c.response = std::move(response.bytes);
    Write(c);
}

void HttpServer::Write(Connection& c) {
    ssize_t size =
        send(c.fd, c.response.data() + c.written, c.response.size() - c.written, MSG_NOSIGNAL);
    if (size < 0) {
        if (errno != EAGAIN && errno != EINTR) {
            Close(c);
        }
        return;
    }
    c.written += static_cast<size_t>(size);
    if (c.written == c.response.size()) {
        Close(c);
    }
}

void HttpServer::Close(Connection& c) {
    close(c.fd);
    connections_.remove_if([&c](const Connection& other) { return &other == &c; });
}

void HttpServer::Expire(int64_t nowMs) {
    connections_.remove_if([nowMs](const Connection& c) {
        if (nowMs < c.deadlineMs) {
            return false;
        }
        close(c.fd);
        return true;
    });
}

int64_t HttpServer::NextDeadline() const {
    int64_t next = std::numeric_limits<int64_t>::max();
    for (const Connection& c : connections_) {
        next = std::min(next, c.deadlineMs);
    }
    return next;
}

}  // namespace vantelo::agentsim
