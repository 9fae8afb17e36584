#include "cli/CliUserInteraction.h"

#include <algorithm>
#include <cstdio>

namespace vantelo::cli {

std::string OneLine(const std::string& text) {
    std::string line = text;
    std::replace(line.begin(), line.end(), '\n', ' ');
    std::replace(line.begin(), line.end(), '\r', ' ');
    line.erase(line.find_last_not_of(' ') + 1);
    return line;
}

BoxAnswer CliUserInteraction::ShowMessage(const MessageBoxRequest& request) {
    // A confirmation is the command's own question: it is neither news nor a fault.
    if (request.buttons == BoxButtons::OkCancel) {
        return BoxAnswer::Ok;
    }
    std::string caption = OneLine(request.caption);
    std::string line =
        caption.empty() ? OneLine(request.text) : caption + ": " + OneLine(request.text);
    std::fprintf(stderr, "vantelo-cli: %s\n", line.c_str());
    return BoxAnswer::Ok;
}

bool CliUserInteraction::AskFileName(const FileDialogRequest&, std::string* path) {
    if (fileName_.empty()) {
        return false;
    }
    *path = fileName_;
    return true;
}

int CliUserInteraction::OpenUrl(const std::string&) {
    return -1;
}

void CliUserInteraction::OpenTextFile(const std::string&) {}

}  // namespace vantelo::cli
