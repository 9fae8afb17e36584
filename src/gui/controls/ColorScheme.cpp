#include "gui/controls/ColorScheme.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>

namespace vantelo {

namespace {

// Perceived lightness, enough to tell a light colour from a dark one.
bool IsLight(QRgb colour) {
    return qGray(colour) >= 128;
}

}  // namespace

void PaintWith(QWidget* widget, QRgb background, QRgb text) {
    QPalette palette = widget->palette();
    // Dark text on a light window: the fields, radio buttons and buttons take the style's own
    // light colours too, so that a dark desktop theme never puts its dark fields or light texts
    // into a white dialog. Under a light theme these are the colours the dialog has anyway.
    if (IsLight(background) && !IsLight(text)) {
        palette = QApplication::style()->standardPalette();
    }
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, text);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

}  // namespace vantelo
