#include "gui/AboutDialog.h"

#include <QLabel>

#include "gui/QtDialogRunner.h"
#include "gui/controls/ColorScheme.h"
#include "gui/controls/DefaultButton.h"
#include "gui/controls/DialogUnits.h"
#include "gui/controls/Images.h"

namespace vantelo {

namespace {

struct Line {
    ControlId id;
    const char* text;
    int y;
};
constexpr Line kLines[] = {
    // The package's version, which is the About box's "1.03".
    {ControlId::AboutProgram, "Vantelo Utility Version " VANTELO_VERSION, 10},
    {ControlId::AboutProtocol, "Protocol Version 2.001.002", 24},
    {ControlId::AboutCopyright, "Copyright (C) 2026 the Vantelo developers", 38},
};

}  // namespace

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFont(DialogFont());
    PaintWith(this, kWhite, kBlack);
    const DialogUnits du(font());
    setFixedSize(du.X(235), du.Y(74));

    auto* icon = new QLabel(this);
    const QPixmap pixmap = Picture(Image::AppIcon, devicePixelRatioF());
    icon->setPixmap(pixmap);
    icon->setGeometry(QRect(du.Point(11, 14), pixmap.deviceIndependentSize().toSize()));
    icon->setAccessibleName(QStringLiteral("Vantelo Utility"));
    for (const Line& line : kLines) {
        auto* label = new QLabel(QString::fromLatin1(line.text), this);
        label->setObjectName(Id(line.id));
        label->setGeometry(du.Rect(40, line.y, 185, 8));
    }

    auto* ok = new DefaultButton(QStringLiteral("OK"), this);
    ok->setObjectName(Id(ControlId::AboutOk));
    ok->setGeometry(du.Rect(178, 54, 50, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

AboutDialog::~AboutDialog() = default;

}  // namespace vantelo
