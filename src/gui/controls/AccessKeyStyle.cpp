#include "gui/controls/AccessKeyStyle.h"

#include <QGuiApplication>
#include <QMenuBar>

namespace vantelo {

int AccessKeyStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                              QStyleHintReturn* returnData) const {
    if (hint == SH_UnderlineShortcut) {
        const auto* bar = qobject_cast<const QMenuBar*>(widget);
        const bool altHeld = QGuiApplication::queryKeyboardModifiers().testFlag(Qt::AltModifier);
        if (bar != nullptr && !altHeld && bar->activeAction() == nullptr) {
            return 0;
        }
    }
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

}  // namespace vantelo
