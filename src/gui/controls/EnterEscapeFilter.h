#pragma once

#include <QObject>
#include <QWidget>

namespace vantelo {

// Swallows Enter and Escape in every control of a dialog before the dialog sees them, so that
// neither key presses a button or closes it.
class EnterEscapeFilter : public QObject {
    Q_OBJECT
public:
    // Watches the dialog's controls from the application, so that controls added later and the
    // parts of composite controls are covered too; the filter goes with the dialog.
    explicit EnterEscapeFilter(QWidget* dialog);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* dialog_;
};

}  // namespace vantelo
