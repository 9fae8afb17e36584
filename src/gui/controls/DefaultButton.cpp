#include "gui/controls/DefaultButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

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
}

}  // namespace vantelo
