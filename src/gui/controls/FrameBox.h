#pragma once

#include <QGroupBox>

namespace vantelo {

// A group box drawn as an etched line with its title on the window's own colour. The style's
// group box shades its inside, which would tint the window's colours behind the grouped controls.
class FrameBox : public QGroupBox {
    Q_OBJECT
public:
    explicit FrameBox(const QString& title, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace vantelo
