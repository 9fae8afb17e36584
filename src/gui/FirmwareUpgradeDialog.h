#pragma once

#include <QDialog>

#include "ports/DialogRunner.h"

class QLineEdit;
class QProgressBar;

namespace vantelo {

// "Firmware Upgrade", template 142: the target, the firmware path with Browse, the password and
// the Upgrade State field with a progress bar under it. The engine fills and changes it through
// OpenDialog; Start and Browse hand the fields to the engine.
class FirmwareUpgradeDialog : public QDialog, public OpenDialog {
    Q_OBJECT
public:
    explicit FirmwareUpgradeDialog(const DialogRequest& request, QWidget* parent = nullptr);
    ~FirmwareUpgradeDialog() override;

    void SetText(ControlId control, const std::string& text) override;
    void SetProgress(ControlId control, int value, int maximum) override;
    void SetEnabled(ControlId control, bool enabled) override;
    void Close(bool ok) override;
    // Cancel and the close box; refused while the engine holds Cancel disabled.
    void reject() override;

protected:
    // Enter and Escape stay with the focused control: Enter presses no button, Escape does not
    // cancel.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLineEdit* AddEdit(ControlId id, QRect geometry, bool readOnly);
    void Press(ControlId button);
    DialogFields Fields() const;

    const DialogRequest& request_;
    QProgressBar* progress_ = nullptr;
};

}  // namespace vantelo
