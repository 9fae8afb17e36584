#include "EventOutput.h"

#include <unistd.h>

#include <cerrno>

namespace vantelo::agentsim {

void EventOutput::Emit(const std::string& line) {
    for (char c : line) {
        pending_ += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '?' : c;
    }
    pending_ += '\n';
}

void EventOutput::Flush() {
    size_t done = 0;
    while (done < pending_.size()) {
        ssize_t size = write(STDOUT_FILENO, pending_.data() + done, pending_.size() - done);
        if (size < 0 && errno == EINTR) {
            continue;
        }
        if (size <= 0) {
            break;
        }
        done += static_cast<size_t>(size);
    }
    pending_.clear();
}

}  // namespace vantelo::agentsim
