#pragma once

#include <QProxyStyle>

namespace vantelo {

// The menu bar's look with access keys: their letters are underlined only while Alt is held or
// the bar is worked from the keyboard, so that otherwise the bar shows its texts as it always
// did. Everything else is the application's style.
class AccessKeyStyle : public QProxyStyle {
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};

}  // namespace vantelo
