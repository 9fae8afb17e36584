#include "gui/controls/IpAddressEdit.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QRegularExpressionValidator>

namespace vantelo {

namespace {

constexpr int kMaxDigits = 3;
constexpr int kMaxOctet = 255;

int OctetOf(const QLineEdit* field) {
    return std::min(field->text().toInt(), kMaxOctet);
}

}  // namespace

IpAddressEdit::IpAddressEdit(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 1, 2, 1);
    layout->setSpacing(0);
    auto* validator =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), this);
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            auto* dot = new QLabel(QStringLiteral("."), this);
            dot->setBackgroundRole(QPalette::Base);
            layout->addWidget(dot);
        }
        auto* field = new QLineEdit(this);
        field->setFrame(false);
        field->setAlignment(Qt::AlignCenter);
        field->setMaxLength(kMaxDigits);
        field->setValidator(validator);
        field->installEventFilter(this);
        connect(field, &QLineEdit::textEdited, this, [this, i] { OnEdited(i); });
        connect(field, &QLineEdit::editingFinished, this, [this, i] { Clamp(i); });
        fields_[static_cast<size_t>(i)] = field;
        layout->addWidget(field, 1);
    }
    setFocusProxy(fields_[0]);
}

IpAddressEdit::~IpAddressEdit() {
    // The numbers lose their focus while the base class destroys them; this part is gone then.
    for (QLineEdit* field : fields_) {
        field->disconnect(this);
    }
}

uint32_t IpAddressEdit::Address() const {
    uint32_t address = 0;
    for (const QLineEdit* field : fields_) {
        address = (address << 8) | static_cast<uint32_t>(OctetOf(field));
    }
    return address;
}

void IpAddressEdit::SetAddress(uint32_t address) {
    for (int i = 0; i < 4; ++i) {
        fields_[static_cast<size_t>(i)]->setText(QString::number((address >> (24 - 8 * i)) & 0xFF));
    }
}

void IpAddressEdit::NameAfter(QLabel* label) {
    label->setBuddy(this);
    const QString name = label->text().trimmed();
    setAccessibleName(name);
    for (int i = 0; i < 4; ++i) {
        fields_[static_cast<size_t>(i)]->setAccessibleName(
            QStringLiteral("%1 %2 of 4").arg(name).arg(i + 1));
    }
}

int IpAddressEdit::IndexOf(const QObject* field) const {
    for (int i = 0; i < 4; ++i) {
        if (fields_[static_cast<size_t>(i)] == field) {
            return i;
        }
    }
    return -1;
}

void IpAddressEdit::FocusField(int index, bool atEnd) {
    if (index < 0 || index > 3) {
        return;
    }
    QLineEdit* field = fields_[static_cast<size_t>(index)];
    field->setFocus();
    if (atEnd) {
        field->end(false);
    } else {
        field->selectAll();
    }
}

void IpAddressEdit::OnEdited(int index) {
    if (fields_[static_cast<size_t>(index)]->text().size() == kMaxDigits) {
        Clamp(index);
        FocusField(index + 1, false);
    }
}

void IpAddressEdit::Clamp(int index) {
    QLineEdit* field = fields_[static_cast<size_t>(index)];
    if (field->text().toInt() > kMaxOctet) {
        field->setText(QString::number(kMaxOctet));
    }
}

bool IpAddressEdit::eventFilter(QObject* watched, QEvent* event) {
    const int index = IndexOf(watched);
    if (index < 0 || event->type() != QEvent::KeyPress) {
        return QFrame::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const QLineEdit* field = fields_[static_cast<size_t>(index)];
    const bool atStart = field->cursorPosition() == 0 && !field->hasSelectedText();
    if (key->text() == QStringLiteral(".")) {
        if (!field->text().isEmpty()) {
            Clamp(index);
            FocusField(index + 1, false);
        }
        return true;
    }
    if (atStart && index > 0 && (key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Left)) {
        FocusField(index - 1, true);
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

}  // namespace vantelo
