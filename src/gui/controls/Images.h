#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace vantelo {

// The console's pictures by resource id, drawn as SVG in the Qt resource.
enum class Image {
    AppIcon,           // icon 128
    DownArrow,         // bitmap 129
    TrapGreen,         // bitmap 130
    TrapRed,           // bitmap 131
    UnreadTrap,        // icon 136
    NotAlive,          // icon 137
    MonitorCaption,    // bitmap 151
    DiscoveryCaption,  // bitmap 152
    ToolsCaption,      // the caption of the group of agent commands
};

QString ResourcePath(Image image);

// The picture at its drawn size in device-independent pixels, rendered for the given pixel ratio
// so that it stays sharp on a high-density screen.
QPixmap Picture(Image image, qreal devicePixelRatio = 1.0);

// A square picture at every size a window manager or a list asks for.
QIcon IconOf(Image image);

}  // namespace vantelo
