#include "gui/ConfigurationDialog.h"

#include "gui/QtDialogRunner.h"
#include "gui/SettingsControls.h"
#include "gui/controls/ColorScheme.h"
#include "gui/controls/DialogUnits.h"
#include "gui/controls/EnterEscapeFilter.h"
#include "gui/controls/IpAddressEdit.h"

namespace vantelo {

namespace {

constexpr int kLeftLabel = 14;
constexpr int kLeftField = 76;
constexpr int kRightLabel = 228;
constexpr int kRightField = 287;
constexpr int kFieldWidth = 96;
constexpr int kHeight = 12;
constexpr int kRowStep = 16;
constexpr int kFirstRow = 8;

int RowY(int row) {
    return kFirstRow + row * kRowStep;
}

struct FieldPlace {
    ControlId id;
    const char* label;
    int row;
    bool right;
};

constexpr FieldPlace kEdits[] = {
    {ControlId::ConfigProductName, "Product name", 0, false},
    {ControlId::ConfigMacAddress, "MAC Address", 0, true},
    {ControlId::ConfigSystemName, "System name", 3, false},
    {ControlId::ConfigLocation, "Location", 3, true},
    {ControlId::ConfigPassword, "Password", 4, false},
};

constexpr FieldPlace kAddresses[] = {
    {ControlId::ConfigIpAddress, "IP Address", 1, false},
    {ControlId::ConfigSubnetMask, "Subnet mask", 1, true},
    {ControlId::ConfigGateway, "Gateway", 2, false},
    {ControlId::ConfigTrapIp, "Set trap to", 2, true},
};

QRect LabelRect(const DialogUnits& du, const FieldPlace& place) {
    return du.Rect(place.right ? kRightLabel : kLeftLabel, RowY(place.row) + 2, 58, 8);
}

QRect FieldRect(const DialogUnits& du, const FieldPlace& place) {
    return du.Rect(place.right ? kRightField : kLeftField, RowY(place.row), kFieldWidth, kHeight);
}

std::string Initial(const DialogRequest& request, ControlId id) {
    auto field = request.initial.find(id);
    return field == request.initial.end() ? std::string() : field->second;
}

}  // namespace

ConfigurationDialog::ConfigurationDialog(const DialogRequest& request, QWidget* parent)
    : QDialog(parent), request_(request) {
    setWindowTitle(QStringLiteral("Configuration setting"));
    setFont(DialogFont());
    PaintWith(this, kWhite, kBlack);
    const DialogUnits du(font());
    setFixedSize(du.X(398), du.Y(127));
    BuildFields(du);
    BuildDhcp(du);
    connect(AddPlainButton(this, ControlId::ConfigSet, "Set", du.Rect(kLeftField, 108, 90, 14)),
            &QPushButton::clicked, this, &ConfigurationDialog::OnSet);
    connect(AddPlainButton(this, ControlId::SettingsCancel, "Cancel",
                           du.Rect(kRightField, 108, 90, 14)),
            &QPushButton::clicked, this, &QDialog::reject);
    new EnterEscapeFilter(this);
}

ConfigurationDialog::~ConfigurationDialog() = default;

void ConfigurationDialog::BuildFields(const DialogUnits& du) {
    for (const FieldPlace& place : kEdits) {
        QLabel* label = AddLabel(this, place.label, LabelRect(du, place));
        QLineEdit* edit = AddEdit(this, place.id, FieldRect(du, place));
        NameAfter(label, edit);
        edit->setText(FromAgentBytes(Initial(request_, place.id)));
        edits_[place.id] = edit;
    }
    edits_[ControlId::ConfigProductName]->setReadOnly(true);
    edits_[ControlId::ConfigMacAddress]->setReadOnly(true);
    edits_[ControlId::ConfigPassword]->setEchoMode(QLineEdit::Password);
    for (const FieldPlace& place : kAddresses) {
        QLabel* label = AddLabel(this, place.label, LabelRect(du, place));
        auto* address = new IpAddressEdit(this);
        address->setObjectName(Id(place.id));
        address->setGeometry(FieldRect(du, place));
        address->NameAfter(label);
        ShowAddress(address, Initial(request_, place.id));
        addresses_[place.id] = address;
    }
}

// The radio buttons start disabled and unchecked when the agent reported no DHCP state.
void ConfigurationDialog::BuildDhcp(const DialogUnits& du) {
    QLabel* label = AddLabel(this, "DHCP", du.Rect(kLeftLabel, RowY(5) + 2, 58, 8));
    enable_ = new QRadioButton(QStringLiteral("Enable"), this);
    enable_->setObjectName(Id(ControlId::ConfigDhcpEnable));
    enable_->setGeometry(du.Rect(kLeftField, RowY(5), 44, kHeight));
    disable_ = new QRadioButton(QStringLiteral("Disable"), this);
    disable_->setObjectName(Id(ControlId::ConfigDhcpDisable));
    disable_->setGeometry(du.Rect(kLeftField + 50, RowY(5), 44, kHeight));
    label->setBuddy(enable_);
    const bool reported = request_.initial.contains(ControlId::ConfigDhcpEnable);
    enable_->setEnabled(reported);
    disable_->setEnabled(reported);
    if (Initial(request_, ControlId::ConfigDhcpEnable) == "1") {
        enable_->setChecked(true);
        EnableFixedAddress(false);
    } else if (Initial(request_, ControlId::ConfigDhcpDisable) == "1") {
        disable_->setChecked(true);
    }
    connect(enable_, &QRadioButton::clicked, this, [this] { EnableFixedAddress(false); });
    connect(disable_, &QRadioButton::clicked, this, [this] { EnableFixedAddress(true); });
}

void ConfigurationDialog::EnableFixedAddress(bool enabled) {
    for (ControlId id :
         {ControlId::ConfigIpAddress, ControlId::ConfigSubnetMask, ControlId::ConfigGateway}) {
        addresses_[id]->setEnabled(enabled);
    }
}

void ConfigurationDialog::OnSet() {
    DialogFields fields;
    for (const auto& [id, edit] : edits_) {
        fields[id] = ToAgentBytes(edit->text());
    }
    for (const auto& [id, address] : addresses_) {
        fields[id] = AddressText(address);
    }
    fields[ControlId::ConfigDhcpEnable] = enable_->isChecked() ? "1" : "0";
    fields[ControlId::ConfigDhcpDisable] = disable_->isChecked() ? "1" : "0";
    if (RunButton(request_, ControlId::ConfigSet, fields) == 0) {
        accept();
    }
}

}  // namespace vantelo
