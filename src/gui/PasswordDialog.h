#pragma once

#include <QDialog>
#include <QLineEdit>

#include "ports/DialogRunner.h"

namespace vantelo {

// "Password_change": the new password twice and the agent's current one, all hidden and empty at
// every opening. Set hands them to the engine, which sends the request and closes the dialog, or
// refuses them with a message and keeps it open.
class PasswordDialog : public QDialog {
    Q_OBJECT
public:
    explicit PasswordDialog(const DialogRequest& request, QWidget* parent = nullptr);
    ~PasswordDialog() override;

private:
    void OnSet();

    const DialogRequest& request_;
    QLineEdit* typed_ = nullptr;
    QLineEdit* confirmed_ = nullptr;
    QLineEdit* original_ = nullptr;
};

}  // namespace vantelo
