#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QRadioButton>
#include <map>

#include "ports/DialogRunner.h"

namespace vantelo {

class DialogUnits;
class IpAddressEdit;

// "Configuration setting": an agent's addresses, names, trap destination and DHCP use. Set hands
// every field to the engine, which sends the request and closes the dialog, or refuses the form
// with a message and keeps it open with what the operator typed.
class ConfigurationDialog : public QDialog {
    Q_OBJECT
public:
    explicit ConfigurationDialog(const DialogRequest& request, QWidget* parent = nullptr);
    ~ConfigurationDialog() override;

private:
    void BuildFields(const DialogUnits& du);
    void BuildDhcp(const DialogUnits& du);
    // With DHCP the agent chooses its own address, mask and gateway.
    void EnableFixedAddress(bool enabled);
    void OnSet();

    const DialogRequest& request_;
    std::map<ControlId, QLineEdit*> edits_;
    std::map<ControlId, IpAddressEdit*> addresses_;
    QRadioButton* enable_ = nullptr;
    QRadioButton* disable_ = nullptr;
};

}  // namespace vantelo
