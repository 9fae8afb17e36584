#pragma once

#include <QLabel>

namespace vantelo {

// An empty static painted as a grey strip with white text; the main window frames its areas
// with them.
class CColorStatic : public QLabel {
    Q_OBJECT
public:
    explicit CColorStatic(QWidget* parent = nullptr);
};

}  // namespace vantelo
