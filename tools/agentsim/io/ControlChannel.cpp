#include "ControlChannel.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vantelo::agentsim {

namespace {

void WriteLine(int fd, const std::string& line) {
    std::string text = line + "\n";
    size_t done = 0;
    while (done < text.size()) {
        ssize_t size = send(fd, text.data() + done, text.size() - done, MSG_NOSIGNAL);
        if (size <= 0) {
            return;
        }
        done += static_cast<size_t>(size);
    }
}

}  // namespace

ControlChannel::~ControlChannel() {
    for (Client& c : clients_) {
        close(c.fd);
    }
    if (listener_ >= 0) {
        close(listener_);
        unlink(path_.c_str());
    }
}

int ControlChannel::Listen(const std::string& path, std::string* error) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) {
        *error = "the control socket path is too long";
        return -1;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    unlink(path.c_str());
    listener_ = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (listener_ < 0 || bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) ||
        listen(listener_, 8) != 0) {
        *error = "cannot listen on " + path + ": " + std::strerror(errno);
        return -1;
    }
    path_ = path;
    return 0;
}

void ControlChannel::Watch(std::vector<pollfd>* fds, std::vector<std::function<void(short)>>* work,
                           int64_t nowMs) {
    if (stdinOpen_) {
        fds->push_back({STDIN_FILENO, POLLIN, 0});
        work->push_back([this, nowMs](short) { ReadStdin(nowMs); });
    }
    if (listener_ >= 0) {
        fds->push_back({listener_, POLLIN, 0});
        work->push_back([this](short) { Accept(); });
    }
    for (Client& c : clients_) {
        fds->push_back({c.fd, POLLIN, 0});
        int fd = c.fd;
        work->push_back([this, fd, nowMs](short) { ReadClient(fd, nowMs); });
    }
}

void ControlChannel::ReadStdin(int64_t nowMs) {
    char buffer[4096];
    ssize_t size = read(STDIN_FILENO, buffer, sizeof buffer);
    if (size < 0 && (errno == EAGAIN || errno == EINTR)) {
        return;
    }
    if (size <= 0) {
        stdinOpen_ = false;
        quit_ = quit_ || listener_ < 0;
        return;
    }
    stdinPending_.append(buffer, static_cast<size_t>(size));
    RunLines(&stdinPending_, &stdinDiscarding_, toStdout_, nowMs);
}

void ControlChannel::Accept() {
    while (true) {
        int fd = accept4(listener_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            return;
        }
        clients_.push_back({fd, "", false});
    }
}

void ControlChannel::ReadClient(int fd, int64_t nowMs) {
    for (auto c = clients_.begin(); c != clients_.end(); ++c) {
        if (c->fd != fd) {
            continue;
        }
        char buffer[4096];
        ssize_t size = recv(fd, buffer, sizeof buffer, 0);
        if (size < 0 && (errno == EAGAIN || errno == EINTR)) {
            return;
        }
        if (size <= 0) {
            close(fd);
            clients_.erase(c);
            return;
        }
        c->pending.append(buffer, static_cast<size_t>(size));
        RunLines(
            &c->pending, &c->discarding, [fd](const std::string& l) { WriteLine(fd, l); }, nowMs);
        return;
    }
}

void ControlChannel::RunLines(std::string* pending, bool* discarding, const ControlReply& reply,
                              int64_t nowMs) {
    const std::string tooLong =
        "error line longer than " + std::to_string(kMaxLine) + " characters";
    size_t start = 0;
    for (size_t end; (end = pending->find('\n', start)) != std::string::npos; start = end + 1) {
        std::string_view line(pending->data() + start, end - start);
        // A long line is refused the same whether it arrived whole or in pieces.
        if (!*discarding && line.size() > kMaxLine) {
            reply(tooLong);
        } else if (!*discarding &&
                   RunControlCommand(simulator_, line, nowMs, reply) == ControlResult::Quit) {
            quit_ = true;
        }
        *discarding = false;
    }
    pending->erase(0, start);
    if (*discarding) {
        pending->clear();
    } else if (pending->size() > kMaxLine) {
        reply(tooLong);
        pending->clear();
        *discarding = true;
    }
}

}  // namespace vantelo::agentsim
