#pragma once

#include <QDialog>

namespace vantelo {

// "About", template 138: the application icon, the console's and the protocol's versions and a
// notice line; OK closes it.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
    ~AboutDialog() override;
};

}  // namespace vantelo
