#pragma once

#include <QColor>
#include <QWidget>

namespace vantelo {

// The console's colours.
inline constexpr QRgb kWindowBlue = qRgb(8, 105, 148);
inline constexpr QRgb kWhite = qRgb(255, 255, 255);
inline constexpr QRgb kBlack = qRgb(0, 0, 0);
inline constexpr QRgb kStripGrey = qRgb(128, 128, 128);
inline constexpr QRgb kPanelGrey = qRgb(235, 234, 233);

// Fills a widget's background with a colour and draws its text in another. A light window with
// dark text gets light fields and controls whatever the desktop's theme.
void PaintWith(QWidget* widget, QRgb background, QRgb text);

}  // namespace vantelo
