#pragma once

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <array>
#include <cstdint>

namespace vantelo {

// An IPv4 address field of four numbers. Typing a '.' or the third digit moves on to the next
// number; Backspace at the start of a number goes back to the one before.
class IpAddressEdit : public QFrame {
    Q_OBJECT
public:
    explicit IpAddressEdit(QWidget* parent = nullptr);
    ~IpAddressEdit() override;

    // The address in host order; empty numbers read as 0 and numbers above 255 as 255.
    uint32_t Address() const;
    void SetAddress(uint32_t address);
    // Takes the label's text as the control's accessible name, and as its numbers' with their
    // place ("IP Address 1 of 4").
    void NameAfter(QLabel* label);
    // The number editors, first octet first.
    QLineEdit* Field(int index) const { return fields_[static_cast<size_t>(index)]; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int IndexOf(const QObject* field) const;
    void FocusField(int index, bool atEnd);
    void OnEdited(int index);
    void Clamp(int index);

    std::array<QLineEdit*, 4> fields_{};
};

}  // namespace vantelo
