#include "gui/QtDialogRunner.h"

#include "gui/RemoteIpDialog.h"

namespace vantelo {

bool QtDialogRunner::RunAddRemoteIp() {
    RemoteIpDialog dialog(applyRemoteIp_, parent_);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace vantelo
