#pragma once

#include <QStringList>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "ports/UserInteraction.h"

namespace vantelo::test {

// Message boxes and file dialogs for the main window's tests: every box is recorded and answered
// from a queue (OK when it is empty); file dialogs take the queued names, and one that nothing
// was queued for fails the test.
class RecordingUserInteraction : public UserInteraction {
public:
    BoxAnswer ShowMessage(const MessageBoxRequest& request) override;
    bool AskFileName(const FileDialogRequest& request, std::string* path) override;
    int OpenUrl(const std::string& url) override;
    void OpenTextFile(const std::string& path) override;

    // Each box as "caption|text", in order.
    QStringList BoxTexts() const;

    std::deque<BoxAnswer> answers;
    std::deque<std::optional<std::string>> fileNames;  // no name: the operator cancels
    std::vector<MessageBoxRequest> boxes;
    std::vector<FileDialogRequest> fileDialogs;
    std::vector<std::string> urls;
};

}  // namespace vantelo::test
