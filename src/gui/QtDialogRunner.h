#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include "ports/DialogRunner.h"

namespace vantelo {

// Runs the console's modal dialogs over the main window.
class QtDialogRunner final : public DialogRunner {
public:
    void SetParent(QWidget* parent) { parent_ = parent; }
    bool Run(const DialogRequest& request) override;

private:
    QPointer<QWidget> parent_;
};

// Calls the engine's action of a dialog's button: 0 closes the dialog with OK, -1 keeps it
// open; a button without an action keeps it open.
int RunButton(const DialogRequest& request, ControlId button, const DialogFields& fields);

// A control's object name: its id.
QString Id(ControlId id);

}  // namespace vantelo
