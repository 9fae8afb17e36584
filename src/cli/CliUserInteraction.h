#pragma once

#include <string>
#include <vector>

#include "ports/UserInteraction.h"

namespace vantelo::cli {

// The engine's message boxes as lines on standard error ("caption: text"), kept in order so that
// a command can tell what the engine said; a question is answered OK, as the command line already
// asked for it. File dialogs take the one path the command names.
class CliUserInteraction final : public UserInteraction {
public:
    BoxAnswer ShowMessage(const MessageBoxRequest& request) override;
    bool AskFileName(const FileDialogRequest& request, std::string* path) override;
    // There is no browser or editor for a script: nothing is started.
    int OpenUrl(const std::string& url) override;
    void OpenTextFile(const std::string& path) override;

    // The path every file dialog gets; empty cancels them.
    void SetFileName(std::string path) { fileName_ = std::move(path); }

    const std::vector<MessageBoxRequest>& Boxes() const { return boxes_; }
    size_t BoxCount() const { return boxes_.size(); }
    // True when a box since box number `from` has exactly this text.
    bool ShownSince(size_t from, const std::string& text) const;
    // True when a box since box number `from` starts with this text.
    bool ShownStartingWith(size_t from, const std::string& prefix) const;

private:
    std::vector<MessageBoxRequest> boxes_;
    std::string fileName_;
};

// One line of a box's text: line breaks become blanks, trailing blanks go.
std::string OneLine(const std::string& text);

}  // namespace vantelo::cli
