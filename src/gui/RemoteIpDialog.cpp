#include "gui/RemoteIpDialog.h"

#include <QLabel>
#include <QPushButton>

#include "gui/QtDialogRunner.h"
#include "gui/controls/ColorScheme.h"
#include "gui/controls/DefaultButton.h"
#include "gui/controls/DialogUnits.h"
#include "gui/controls/IpAddressEdit.h"
#include "protocol/Conversions.h"

namespace vantelo {

RemoteIpDialog::RemoteIpDialog(const DialogRequest& request, QWidget* parent)
    : QDialog(parent), request_(request) {
    setWindowTitle(QStringLiteral("Remote IP"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFont(DialogFont());
    PaintWith(this, kWhite, kBlack);
    const DialogUnits du(font());
    setFixedSize(du.X(186), du.Y(62));

    auto* label = new QLabel(QStringLiteral("IP Address"), this);
    label->setObjectName(Id(ControlId::RemoteIpLabel));
    label->setGeometry(du.Rect(14, 15, 40, 10));

    address_ = new IpAddressEdit(this);
    address_->setObjectName(Id(ControlId::RemoteIpAddress));
    address_->setGeometry(du.Rect(58, 12, 112, 14));
    address_->NameAfter(label);

    auto* applyButton = new DefaultButton(QStringLiteral("Apply"), this);
    applyButton->setObjectName(Id(ControlId::RemoteIpApply));
    applyButton->setGeometry(du.Rect(38, 38, 50, 14));
    applyButton->setDefault(true);
    connect(applyButton, &QPushButton::clicked, this, &RemoteIpDialog::OnOK);

    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(Id(ControlId::RemoteIpCancel));
    cancel->setGeometry(du.Rect(100, 38, 50, 14));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    address_->setFocus();
}

RemoteIpDialog::~RemoteIpDialog() = default;

void RemoteIpDialog::OnOK() {
    const DialogFields fields{{ControlId::RemoteIpAddress, IpToText(address_->Address())}};
    if (RunButton(request_, ControlId::RemoteIpApply, fields) == 0) {
        accept();
    }
}

}  // namespace vantelo
