#include "gui/FirmwareUpgradeDialog.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include "gui/QtDialogRunner.h"
#include "gui/SettingsControls.h"
#include "gui/controls/ColorScheme.h"
#include "gui/controls/DefaultButton.h"
#include "gui/controls/DialogUnits.h"
#include "gui/controls/FrameBox.h"

namespace vantelo {

namespace {

QString Local(const std::string& text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

struct Label {
    ControlId id;
    const char* text;
    int x, y, width, height;
    ControlId field;
};
// The labels' leading spaces are part of their texts.
constexpr Label kLabels[] = {
    {ControlId::UpgradeDeviceIpLabel, "      Device IP", 12, 20, 62, 10,
     ControlId::UpgradeDeviceIp},
    {ControlId::UpgradeDeviceMacLabel, "     Device Mac", 12, 36, 62, 10,
     ControlId::UpgradeDeviceMac},
    {ControlId::UpgradeFirmwarePathLabel, "      Firmware Path", 12, 73, 66, 10,
     ControlId::UpgradeFirmwarePath},
    {ControlId::UpgradePasswordLabel, "      Password", 12, 89, 62, 10, ControlId::UpgradePassword},
    {ControlId::UpgradeStateLabel, "      Upgrade State", 12, 114, 66, 10, ControlId::UpgradeState},
};

struct Panel {
    int id, x, y, width, height;
};
// Grey panels line the inside of each group box and sit behind the group's labels, so that the
// labels read as a grey column beside the white fields.
constexpr Panel kPanels[] = {
    {1094, 10, 16, 242, 2}, {1095, 10, 48, 242, 2},  {1096, 249, 16, 3, 34}, {1097, 10, 16, 3, 34},
    {1099, 10, 69, 242, 2}, {1100, 10, 101, 242, 2}, {1101, 10, 69, 3, 34},  {1102, 249, 69, 3, 34},
    {1105, 10, 17, 70, 14}, {1106, 10, 33, 70, 14},  {1124, 10, 70, 70, 14}, {1125, 10, 86, 70, 14},
};

}  // namespace

FirmwareUpgradeDialog::FirmwareUpgradeDialog(const DialogRequest& request, QWidget* parent)
    : QDialog(parent), request_(request) {
    setWindowTitle(QStringLiteral("Firmware Upgrade"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowModality(Qt::WindowModal);
    setFont(DialogFont());
    PaintWith(this, kWhite, kBlack);
    const DialogUnits du(font());
    setFixedSize(du.X(262), du.Y(166));

    auto* device = new FrameBox(QStringLiteral("Device Information"), this);
    device->setObjectName(Id(ControlId::UpgradeDeviceGroup));
    device->setGeometry(du.Rect(7, 6, 248, 48));
    auto* setting = new FrameBox(QStringLiteral("Upgrade Setting"), this);
    setting->setObjectName(Id(ControlId::UpgradeSettingGroup));
    setting->setGeometry(du.Rect(7, 59, 248, 48));
    for (const Panel& panel : kPanels) {
        auto* widget = new QLabel(this);
        widget->setObjectName(QString::number(panel.id));
        widget->setGeometry(du.Rect(panel.x, panel.y, panel.width, panel.height));
        PaintWith(widget, kPanelGrey, kBlack);
    }
    AddEdit(ControlId::UpgradeDeviceIp, du.Rect(82, 18, 164, 12), true);
    AddEdit(ControlId::UpgradeDeviceMac, du.Rect(82, 34, 164, 12), true);
    AddEdit(ControlId::UpgradeFirmwarePath, du.Rect(82, 71, 118, 12), false);
    AddEdit(ControlId::UpgradePassword, du.Rect(82, 87, 164, 12), false)
        ->setEchoMode(QLineEdit::Password);
    AddEdit(ControlId::UpgradeState, du.Rect(82, 112, 164, 12), true);

    progress_ = new QProgressBar(this);
    progress_->setObjectName(Id(ControlId::UpgradeProgress));
    progress_->setGeometry(du.Rect(82, 127, 164, 8));
    progress_->setTextVisible(false);
    progress_->setRange(0, 1);
    progress_->setValue(0);
    progress_->setAccessibleName(QStringLiteral("Upgrade progress"));
    for (const Label& label : kLabels) {
        auto* widget = new QLabel(QString::fromLatin1(label.text), this);
        widget->setObjectName(Id(label.id));
        widget->setGeometry(du.Rect(label.x, label.y, label.width, label.height));
        if (label.id != ControlId::UpgradeStateLabel) {
            PaintWith(widget, kPanelGrey, kBlack);
        }
        NameAfter(widget, findChild<QWidget*>(Id(label.field)));
    }

    struct Button {
        ControlId id;
        const char* text;
        QRect geometry;
    } buttons[] = {{ControlId::UpgradeBrowse, "Browse", du.Rect(204, 71, 42, 12)},
                   {ControlId::UpgradeStart, "Start", du.Rect(70, 144, 50, 14)},
                   {ControlId::UpgradeCancel, "Cancel", du.Rect(142, 144, 50, 14)}};
    for (const Button& b : buttons) {
        // Browse is the template's default button and shows it; Enter still presses nothing.
        QPushButton* button = b.id == ControlId::UpgradeBrowse
                                  ? new DefaultButton(QString::fromLatin1(b.text), this)
                                  : new QPushButton(QString::fromLatin1(b.text), this);
        button->setObjectName(Id(b.id));
        button->setGeometry(b.geometry);
        button->setAutoDefault(false);
        const ControlId id = b.id;
        if (id == ControlId::UpgradeCancel) {
            connect(button, &QPushButton::clicked, this, &QDialog::reject);
        } else {
            connect(button, &QPushButton::clicked, this, [this, id] { Press(id); });
        }
    }
    for (const auto& [id, text] : request.initial) {
        SetText(id, text);
    }
}

FirmwareUpgradeDialog::~FirmwareUpgradeDialog() = default;

QLineEdit* FirmwareUpgradeDialog::AddEdit(ControlId id, QRect geometry, bool readOnly) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(Id(id));
    edit->setGeometry(geometry);
    edit->setReadOnly(readOnly);
    return edit;
}

void FirmwareUpgradeDialog::SetText(ControlId control, const std::string& text) {
    if (auto* edit = findChild<QLineEdit*>(Id(control))) {
        edit->setText(Local(text));
    }
}

void FirmwareUpgradeDialog::SetProgress(ControlId control, int value, int maximum) {
    if (control == ControlId::UpgradeProgress) {
        progress_->setRange(0, std::max(maximum, 1));
        progress_->setValue(std::clamp(value, 0, std::max(maximum, 1)));
    }
}

void FirmwareUpgradeDialog::SetEnabled(ControlId control, bool enabled) {
    if (auto* widget = findChild<QWidget*>(Id(control))) {
        widget->setEnabled(enabled);
    }
}

void FirmwareUpgradeDialog::Close(bool ok) {
    done(ok ? QDialog::Accepted : QDialog::Rejected);
}

void FirmwareUpgradeDialog::reject() {
    const auto* cancel = findChild<QPushButton*>(Id(ControlId::UpgradeCancel));
    if (cancel == nullptr || cancel->isEnabled()) {
        QDialog::reject();
    }
}

void FirmwareUpgradeDialog::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
        return;
    }
    QDialog::keyPressEvent(event);
}

void FirmwareUpgradeDialog::Press(ControlId button) {
    if (RunButton(request_, button, Fields()) == 0) {
        accept();
    }
}

DialogFields FirmwareUpgradeDialog::Fields() const {
    DialogFields fields;
    for (ControlId id : {ControlId::UpgradeFirmwarePath, ControlId::UpgradePassword}) {
        if (const auto* edit = findChild<QLineEdit*>(Id(id))) {
            fields[id] = edit->text().toLocal8Bit().toStdString();
        }
    }
    return fields;
}

}  // namespace vantelo
