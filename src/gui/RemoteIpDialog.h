#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>

namespace vantelo {

class IpAddressEdit;

// "Remote IP": the operator types the address of an agent to add to the monitor list.
class RemoteIpDialog : public QDialog {
    Q_OBJECT
public:
    // Apply hands the typed address (host order) to the engine: 0 closes the dialog with OK,
    // -1 means the engine refused it with a message and the dialog stays open.
    using Apply = std::function<int(uint32_t address)>;

    explicit RemoteIpDialog(Apply apply, QWidget* parent = nullptr);
    ~RemoteIpDialog() override;

private:
    void OnOK();

    Apply apply_;
    IpAddressEdit* address_ = nullptr;
};

}  // namespace vantelo
