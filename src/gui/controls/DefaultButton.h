#pragma once

#include <QPushButton>

namespace vantelo {

// A push button drawn as a template's default button: a black line around the bevel. The line
// is the button's look only; whether Enter presses it is the dialog's affair.
class DefaultButton : public QPushButton {
    Q_OBJECT
public:
    explicit DefaultButton(const QString& text, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace vantelo
