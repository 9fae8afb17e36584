#pragma once

#include <QLabel>

namespace vantelo {

// An empty static painted as a grey strip with white text; the main window frames its areas
// with them.
class FrameStrip : public QLabel {
    Q_OBJECT
public:
    explicit FrameStrip(QWidget* parent = nullptr);
};

}  // namespace vantelo
