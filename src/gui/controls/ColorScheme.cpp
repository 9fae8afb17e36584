#include "gui/controls/ColorScheme.h"

#include <QPalette>

namespace vantelo {

void PaintWith(QWidget* widget, QRgb background, QRgb text) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, text);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

}  // namespace vantelo
