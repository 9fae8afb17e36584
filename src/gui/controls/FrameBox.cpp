#include "gui/controls/FrameBox.h"

#include <qdrawutil.h>
#include <QPainter>

namespace vantelo {

namespace {

constexpr int kTitleIndent = 6;

}  // namespace

FrameBox::FrameBox(const QString& title, QWidget* parent) : QGroupBox(title, parent) {}

void FrameBox::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int lineY = title().isEmpty() ? 0 : metrics.height() / 2;
    qDrawShadeRect(&painter, rect().adjusted(0, lineY, 0, 0), palette(), true, 1);
    if (title().isEmpty()) {
        return;
    }
    // The title interrupts the line, on the group's own background.
    const QRect text(kTitleIndent, 0, metrics.horizontalAdvance(title()) + 4, metrics.height());
    painter.fillRect(text, palette().color(backgroundRole()));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(text, Qt::AlignCenter, title());
}

}  // namespace vantelo
