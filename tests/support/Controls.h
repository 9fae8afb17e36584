#pragma once

#include <QObject>
#include <QString>
#include <QWidget>

#include "gui/QtDialogRunner.h"
#include "ports/ControlId.h"

namespace vantelo::test {

// The control or menu command of type T that carries id in window. A missing one ends the test
// with the id, the type and the window in its message, where a null pointer would crash it
// later without a word.
template <typename T = QWidget>
T* Find(const QObject* window, ControlId id) {
    T* control = window->findChild<T*>(Id(id));
    if (control == nullptr) {
        const auto* widget = qobject_cast<const QWidget*>(window);
        qFatal("no %s with control id %d in \"%s\"", T::staticMetaObject.className(),
               static_cast<int>(id),
               qPrintable(widget != nullptr ? widget->windowTitle() : window->objectName()));
    }
    return control;
}

}  // namespace vantelo::test
