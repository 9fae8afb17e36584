#include "gui/controls/DialogUnits.h"

#include <QFontMetrics>
#include <QStringList>

namespace vantelo {

namespace {

// Rounds a * b / c to the nearest integer, as dialog templates are converted.
int MulDiv(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    return static_cast<int>((product >= 0 ? product + c / 2 : product - c / 2) / c);
}

}  // namespace

QFont DialogFont() {
    QFont font;
    QStringList families;
    families << QStringLiteral("Arial") << QStringLiteral("Liberation Sans");
    font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);  // 8 points at 96 dots per inch
    return font;
}

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    // The average width of the 52 letters, rounded, as the platform measures a dialog font.
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    baseX_ = (letters / 26 + 1) / 2;
    baseY_ = metrics.height();
}

int DialogUnits::X(int units) const {
    return MulDiv(units, baseX_, 4);
}

int DialogUnits::Y(int units) const {
    return MulDiv(units, baseY_, 8);
}

QRect DialogUnits::Rect(int x, int y, int width, int height) const {
    return QRect(X(x), Y(y), X(width), Y(height));
}

}  // namespace vantelo
