#include "gui/PasswordDialog.h"

#include "gui/QtDialogRunner.h"
#include "gui/SettingsControls.h"
#include "gui/controls/ColorScheme.h"
#include "gui/controls/DialogUnits.h"
#include "gui/controls/EnterEscapeFilter.h"

namespace vantelo {

namespace {

QLineEdit* AddHiddenEdit(QWidget* dialog, ControlId id, QRect at) {
    QLineEdit* edit = AddEdit(dialog, id, at);
    edit->setEchoMode(QLineEdit::Password);
    return edit;
}

}  // namespace

PasswordDialog::PasswordDialog(const DialogRequest& request, QWidget* parent)
    : QDialog(parent), request_(request) {
    setWindowTitle(QStringLiteral("Password_change"));
    setFont(DialogFont());
    PaintWith(this, kWhite, kBlack);
    const DialogUnits du(font());
    setFixedSize(du.X(398), du.Y(76));
    QLabel* label = AddLabel(this, "New password", du.Rect(14, 10, 60, 8));
    typed_ = AddHiddenEdit(this, ControlId::NewPassword, du.Rect(76, 8, 96, 12));
    NameAfter(label, typed_);
    label = AddLabel(this, "Confirm password", du.Rect(220, 10, 64, 8));
    confirmed_ = AddHiddenEdit(this, ControlId::ConfirmPassword, du.Rect(287, 8, 96, 12));
    NameAfter(label, confirmed_);
    label = AddLabel(this, "Original password", du.Rect(14, 30, 60, 8));
    original_ = AddHiddenEdit(this, ControlId::OriginalPassword, du.Rect(76, 28, 96, 12));
    NameAfter(label, original_);
    connect(AddPlainButton(this, ControlId::PasswordSet, "Set", du.Rect(76, 54, 90, 14)),
            &QPushButton::clicked, this, &PasswordDialog::OnSet);
    connect(AddPlainButton(this, ControlId::SettingsCancel, "Cancel", du.Rect(287, 54, 90, 14)),
            &QPushButton::clicked, this, &QDialog::reject);
    new EnterEscapeFilter(this);
}

PasswordDialog::~PasswordDialog() = default;

void PasswordDialog::OnSet() {
    const DialogFields fields{{ControlId::NewPassword, ToAgentBytes(typed_->text())},
                              {ControlId::ConfirmPassword, ToAgentBytes(confirmed_->text())},
                              {ControlId::OriginalPassword, ToAgentBytes(original_->text())}};
    if (RunButton(request_, ControlId::PasswordSet, fields) == 0) {
        accept();
    }
}

}  // namespace vantelo
