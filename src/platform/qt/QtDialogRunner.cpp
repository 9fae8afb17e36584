#include "platform/qt/QtDialogRunner.h"

#include "monitor/Add_remoteIP.h"

namespace vantelo {

bool QtDialogRunner::RunAddRemoteIp() {
    CAdd_remoteIP dialog(applyRemoteIp_, parent_);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace vantelo
