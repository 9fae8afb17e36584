#include "gui/SettingsControls.h"

#include "gui/QtDialogRunner.h"
#include "protocol/Conversions.h"

#include <QValidator>

namespace vantelo {

namespace {

// Refuses a character that has no single byte, so that nothing typed or pasted is changed on
// its way to the agent.
class OneByteValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& /*position*/) const override {
        for (QChar c : input) {
            if (c.unicode() > 0xFF) {
                return Invalid;
            }
        }
        return Acceptable;
    }
};

}  // namespace

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
    edit->setValidator(new OneByteValidator(edit));
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

QString FromAgentBytes(const std::string& bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string ToAgentBytes(const QString& text) {
    return text.toLatin1().toStdString();
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
