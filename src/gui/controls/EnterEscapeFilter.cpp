#include "gui/controls/EnterEscapeFilter.h"

#include <QApplication>
#include <QKeyEvent>

namespace vantelo {

EnterEscapeFilter::EnterEscapeFilter(QWidget* dialog) : QObject(dialog), dialog_(dialog) {
    qApp->installEventFilter(this);
}

bool EnterEscapeFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != dialog_) {
        return false;
    }
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}

}  // namespace vantelo
