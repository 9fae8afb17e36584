#pragma once

#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <functional>

#include "ports/DialogRunner.h"

namespace vantelo {

// Runs the console's modal dialogs over the main window.
class QtDialogRunner final : public DialogRunner {
public:
    // The Remote IP dialog's Apply: 0 closes the dialog, -1 keeps it open.
    using ApplyRemoteIp = std::function<int(uint32_t address)>;

    void SetParent(QWidget* parent) { parent_ = parent; }
    void SetApplyRemoteIp(ApplyRemoteIp apply) { applyRemoteIp_ = std::move(apply); }

    bool RunAddRemoteIp() override;

private:
    QPointer<QWidget> parent_;
    ApplyRemoteIp applyRemoteIp_;
};

}  // namespace vantelo
