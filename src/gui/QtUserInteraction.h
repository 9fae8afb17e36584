#pragma once

#include <QPointer>
#include <QWidget>

#include "ports/UserInteraction.h"

namespace vantelo {

// Message boxes, file dialogs and the desktop shell on Qt.
class QtUserInteraction final : public UserInteraction {
public:
    // The caption of the application's own message box.
    static constexpr const char* kApplicationCaption = "Vantelo Utility";

    // The window that owns the boxes the engine gives to the main window.
    void SetMainWindow(QWidget* mainWindow) { mainWindow_ = mainWindow; }

    BoxAnswer ShowMessage(const MessageBoxRequest& request) override;
    bool AskFileName(const FileDialogRequest& request, std::string* path) override;
    int OpenUrl(const std::string& url) override;
    void OpenTextFile(const std::string& path) override;

private:
    QWidget* OwnerOf(BoxOwner owner) const;

    QPointer<QWidget> mainWindow_;
};

}  // namespace vantelo
