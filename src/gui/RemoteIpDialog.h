#pragma once

#include <QDialog>

#include "ports/DialogRunner.h"

namespace vantelo {

class IpAddressEdit;

// "Remote IP": the operator types the address of an agent to add to the monitor list.
class RemoteIpDialog : public QDialog {
    Q_OBJECT
public:
    // Apply hands the typed address to the engine's Apply action, which closes the dialog with
    // OK or refuses the address with a message and keeps it open.
    explicit RemoteIpDialog(const DialogRequest& request, QWidget* parent = nullptr);
    ~RemoteIpDialog() override;

private:
    void OnOK();

    const DialogRequest& request_;
    IpAddressEdit* address_ = nullptr;
};

}  // namespace vantelo
