#include "controls/ColorStatic.h"

#include "controls/ColorScheme.h"

namespace vantelo {

CColorStatic::CColorStatic(QWidget* parent) : QLabel(parent) {
    PaintWith(this, kStripGrey, kWhite);
}

}  // namespace vantelo
