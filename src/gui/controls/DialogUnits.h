#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>

namespace vantelo {

// The dialogs' font: Arial 8 point where it is installed, else Liberation Sans, which has the same
// widths, so that the templates' layouts fit their texts either way; at 96 dots per inch.
QFont DialogFont();

// Turns a dialog template's units into pixels with the font's average character size: a
// horizontal unit is a quarter of the average character width, a vertical unit an eighth of the
// character height.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    int X(int units) const;
    int Y(int units) const;
    QPoint Point(int x, int y) const { return QPoint(X(x), Y(y)); }
    QRect Rect(int x, int y, int width, int height) const;

    int BaseX() const { return baseX_; }
    int BaseY() const { return baseY_; }

private:
    int baseX_;
    int baseY_;
};

}  // namespace vantelo
