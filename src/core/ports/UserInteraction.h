#pragma once

#include <string>

namespace vantelo {

enum class BoxIcon { None, Error, Warning, Information, Exclamation };
enum class BoxButtons { Ok, OkCancel };
enum class BoxAnswer { Ok, Cancel };
// The window that owns a box: the main window, the dialog whose handler shows it, no window, or
// the application's own box (whose caption is the application name).
enum class BoxOwner { MainWindow, Dialog, None, Application };

struct MessageBoxRequest {
    std::string text;
    std::string caption;
    BoxIcon icon = BoxIcon::Error;
    BoxButtons buttons = BoxButtons::Ok;
    BoxOwner owner = BoxOwner::MainWindow;
};

struct FileDialogRequest {
    bool save = false;
    std::string filter;            // e.g. "config File (*.cfg)|*.cfg||"
    std::string initialName;       // the file name field's first text
    std::string defaultExtension;  // the default extension text
};

// Message boxes, file dialogs and the desktop shell.
class UserInteraction {
public:
    virtual ~UserInteraction() = default;
    // Runs a modal box; returns the button pressed (Ok for a box with only OK).
    virtual BoxAnswer ShowMessage(const MessageBoxRequest& request) = 0;
    // Runs a modal file dialog; returns false on Cancel, else true and the chosen full path.
    virtual bool AskFileName(const FileDialogRequest& request, std::string* path) = 0;
    // Opens an address in the browser without waiting; returns 0, or -1 when it cannot start.
    virtual int OpenUrl(const std::string& url) = 0;
    // Opens a text file in the desktop's editor; the result is not looked at.
    virtual void OpenTextFile(const std::string& path) = 0;
};

}  // namespace vantelo
