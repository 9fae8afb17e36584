#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ports/UserInteraction.h"

namespace vantelo::test {

// Message boxes and file dialogs answered from a script. Every box and dialog is recorded; one
// that differs from the next expected one in any field, or comes when none is expected, fails
// the running test at once. Expectations still waiting at destruction fail it too.
class ScriptedUserInteraction : public UserInteraction {
public:
    ~ScriptedUserInteraction() override;

    // The next box; whileOpen runs while it is shown, as the events of a nested loop would.
    void ExpectBox(MessageBoxRequest box, BoxAnswer answer = BoxAnswer::Ok,
                   std::function<void()> whileOpen = {});
    // The error box of the main window.
    void ExpectError(const std::string& text, const std::string& caption = "Error",
                     std::function<void()> whileOpen = {});
    // The next file dialog; no path means the operator cancels.
    void ExpectFileDialog(FileDialogRequest request, std::optional<std::string> path);

    BoxAnswer ShowMessage(const MessageBoxRequest& request) override;
    bool AskFileName(const FileDialogRequest& request, std::string* path) override;
    int OpenUrl(const std::string& url) override;
    void OpenTextFile(const std::string& path) override;

    const std::vector<MessageBoxRequest>& Boxes() const { return boxes_; }
    const std::vector<FileDialogRequest>& FileDialogs() const { return fileDialogs_; }
    const std::vector<std::string>& OpenedUrls() const { return urls_; }
    const std::vector<std::string>& OpenedTextFiles() const { return textFiles_; }
    // The most boxes that were ever open at once.
    int MostOpenAtOnce() const { return mostOpen_; }
    // What OpenUrl answers: 0, or -1 as when no browser can start.
    int openUrlResult = 0;
    bool AllShown() const { return expectedBoxes_.empty() && expectedDialogs_.empty(); }

private:
    struct ExpectedBox {
        MessageBoxRequest box;
        BoxAnswer answer;
        std::function<void()> whileOpen;
    };
    struct ExpectedDialog {
        FileDialogRequest request;
        std::optional<std::string> path;
    };

    std::deque<ExpectedBox> expectedBoxes_;
    std::deque<ExpectedDialog> expectedDialogs_;
    std::vector<MessageBoxRequest> boxes_;
    std::vector<FileDialogRequest> fileDialogs_;
    std::vector<std::string> urls_;
    std::vector<std::string> textFiles_;
    int open_ = 0;
    int mostOpen_ = 0;
};

std::string Describe(const MessageBoxRequest& box);
std::string Describe(const FileDialogRequest& request);

}  // namespace vantelo::test
