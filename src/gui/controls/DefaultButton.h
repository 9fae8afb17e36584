#pragma once

#include <QPushButton>

namespace vantelo {

// A push button drawn as a template's default button: a black line around the bevel. The line
// is the button's look only; whether Enter presses it is the dialog's affair. A button that the
// keyboard brought the focus to shows it with a dotted line in the console's blue; one focused
// by the window opening or a click looks as it always did.
class DefaultButton : public QPushButton {
    Q_OBJECT
public:
    explicit DefaultButton(const QString& text, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    bool keyboardFocus_ = false;
};

}  // namespace vantelo
