#include "gui/QtDialogRunner.h"

#include "gui/ConfigurationDialog.h"
#include "gui/FirmwareUpgradeDialog.h"
#include "gui/PasswordDialog.h"
#include "gui/RemoteIpDialog.h"
#include "gui/TrapInfoDialog.h"

namespace vantelo {

bool QtDialogRunner::Run(const DialogRequest& request) {
    switch (request.id) {
        case DialogId::RemoteIp: {
            RemoteIpDialog dialog(request, parent_);
            return dialog.exec() == QDialog::Accepted;
        }
        case DialogId::Configuration: {
            ConfigurationDialog dialog(request, parent_);
            return dialog.exec() == QDialog::Accepted;
        }
        case DialogId::PasswordChange: {
            PasswordDialog dialog(request, parent_);
            return dialog.exec() == QDialog::Accepted;
        }
        case DialogId::TrapInfo: {
            TrapInfoDialog dialog(request, parent_);
            return dialog.exec() == QDialog::Accepted;
        }
        case DialogId::FirmwareUpgrade: {
            FirmwareUpgradeDialog dialog(request, parent_);
            if (request.attach) {
                request.attach(&dialog);
            }
            const bool ok = dialog.exec() == QDialog::Accepted;
            if (request.attach) {
                request.attach(nullptr);
            }
            return ok;
        }
    }
    return false;
}

int RunButton(const DialogRequest& request, ControlId button, const DialogFields& fields) {
    auto action = request.buttons.find(button);
    return action == request.buttons.end() ? -1 : action->second(fields);
}

QString Id(ControlId id) {
    return QString::number(static_cast<int>(id));
}

}  // namespace vantelo
