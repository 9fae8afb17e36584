#pragma once

#include <string>

#include "ports/UserInteraction.h"

namespace vantelo::cli {

// The engine's message boxes as lines on standard error ("caption: text"); a question is
// answered OK, as the command line already asked for it. File dialogs take the one path the
// command names. Commands learn how their operations ended from the engine's outcomes, never
// from the boxes.
class CliUserInteraction final : public UserInteraction {
public:
    BoxAnswer ShowMessage(const MessageBoxRequest& request) override;
    bool AskFileName(const FileDialogRequest& request, std::string* path) override;
    // There is no browser or editor for a script: nothing is started.
    int OpenUrl(const std::string& url) override;
    void OpenTextFile(const std::string& path) override;

    // The path every file dialog gets; empty cancels them.
    void SetFileName(std::string path) { fileName_ = std::move(path); }

private:
    std::string fileName_;
};

// One line of a box's text: line breaks become blanks, trailing blanks go.
std::string OneLine(const std::string& text);

}  // namespace vantelo::cli
