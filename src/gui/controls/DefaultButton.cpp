#include "gui/controls/DefaultButton.h"

#include <QFocusEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "gui/controls/ColorScheme.h"

namespace vantelo {

DefaultButton::DefaultButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {}

void DefaultButton::paintEvent(QPaintEvent* /*event*/) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.rect.adjust(1, 1, -1, -1);
    painter.drawControl(QStyle::CE_PushButton, option);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    // The focus: a dotted line in the window's blue inside the bevel, clear on the grey face.
    if (hasFocus() && keyboardFocus_) {
        painter.setPen(QPen(QColor(kWindowBlue), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(3, 3, -4, -4));
    }
}

void DefaultButton::focusInEvent(QFocusEvent* event) {
    keyboardFocus_ = event->reason() == Qt::TabFocusReason ||
                     event->reason() == Qt::BacktabFocusReason ||
                     event->reason() == Qt::ShortcutFocusReason;
    QPushButton::focusInEvent(event);
}

}  // namespace vantelo
