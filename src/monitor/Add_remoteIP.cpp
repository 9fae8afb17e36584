#include "monitor/Add_remoteIP.h"

#include <QLabel>
#include <QPushButton>

#include "controls/ColorScheme.h"
#include "controls/DialogUnits.h"
#include "controls/IpAddressEdit.h"

namespace vantelo {

CAdd_remoteIP::CAdd_remoteIP(Apply apply, QWidget* parent)
    : QDialog(parent), apply_(std::move(apply)) {
    setWindowTitle(QStringLiteral("Remote IP"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFont(DialogFont());
    PaintWith(this, kWhite, kBlack);
    const DialogUnits du(font());
    setFixedSize(du.X(186), du.Y(62));

    auto* label = new QLabel(QStringLiteral("IP Address"), this);
    label->setObjectName(QStringLiteral("1115"));
    label->setGeometry(du.Rect(14, 15, 40, 10));

    address_ = new IpAddressEdit(this);
    address_->setObjectName(QStringLiteral("1010"));
    address_->setGeometry(du.Rect(58, 12, 112, 14));

    auto* applyButton = new QPushButton(QStringLiteral("Apply"), this);
    applyButton->setObjectName(QStringLiteral("1"));
    applyButton->setGeometry(du.Rect(38, 38, 50, 14));
    applyButton->setDefault(true);
    connect(applyButton, &QPushButton::clicked, this, &CAdd_remoteIP::OnOK);

    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("2"));
    cancel->setGeometry(du.Rect(100, 38, 50, 14));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    address_->setFocus();
}

CAdd_remoteIP::~CAdd_remoteIP() = default;

void CAdd_remoteIP::OnOK() {
    if (apply_ && apply_(address_->Address()) == 0) {
        accept();
    }
}

}  // namespace vantelo
