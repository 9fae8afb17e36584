#include "gui/controls/FrameStrip.h"

#include "gui/controls/ColorScheme.h"

namespace vantelo {

FrameStrip::FrameStrip(QWidget* parent) : QLabel(parent) {
    PaintWith(this, kStripGrey, kWhite);
}

}  // namespace vantelo
