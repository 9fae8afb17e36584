#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "support/WindowHarness.h"

namespace vantelo::test {

// Every window of the console with content an operator would see: the main window over in-memory
// agents (some discovered, some monitored, one gone silent, traps received), and each dialog
// opened from it as the operator opens it. The appearance tests and the screenshots use it.
class WindowGallery {
public:
    WindowGallery();
    ~WindowGallery();

    MainWindow& Main() { return *window_.dialog; }

    // The dialogs by the name of their screenshot, each shown while visit runs and closed after.
    void VisitDialogs(const std::function<void(const QString& name, QDialog* dialog)>& visit);

private:
    void Populate();
    void SendTrap(int agent, const std::string& event);
    void WithModal(const std::function<void()>& open, const std::function<void(QDialog*)>& visit);

    WindowHarness window_;
};

}  // namespace vantelo::test
