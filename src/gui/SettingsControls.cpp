#include "gui/SettingsControls.h"

#include "gui/QtDialogRunner.h"
#include "protocol/Conversions.h"

namespace vantelo {

QLabel* AddLabel(QWidget* dialog, const char* text, QRect at) {
    auto* label = new QLabel(QString::fromLatin1(text), dialog);
    label->setGeometry(at);
    return label;
}

void NameAfter(QLabel* label, QWidget* field) {
    label->setBuddy(field);
    field->setAccessibleName(label->text().trimmed());
}

QLineEdit* AddEdit(QWidget* dialog, ControlId id, QRect at) {
    auto* edit = new QLineEdit(dialog);
    edit->setObjectName(Id(id));
    edit->setGeometry(at);
    return edit;
}

QPushButton* AddPlainButton(QWidget* dialog, ControlId id, const char* text, QRect at) {
    auto* button = new QPushButton(QString::fromLatin1(text), dialog);
    button->setObjectName(Id(id));
    button->setGeometry(at);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

std::string AddressText(const IpAddressEdit* edit) {
    for (int i = 0; i < 4; ++i) {
        if (!edit->Field(i)->text().isEmpty()) {
            return IpToText(edit->Address());
        }
    }
    return std::string();
}

void ShowAddress(IpAddressEdit* edit, const std::string& text) {
    uint32_t address = 0;
    if (TextToIp(text, &address) == 0) {
        edit->SetAddress(address);
        return;
    }
    for (int i = 0; i < 4; ++i) {
        edit->Field(i)->clear();
    }
}

}  // namespace vantelo
