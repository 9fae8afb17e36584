#include "gui/controls/Images.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cmath>

namespace vantelo {

namespace {

QPixmap Render(QSvgRenderer& renderer, QSize size, qreal devicePixelRatio) {
    const QSize pixels(static_cast<int>(std::lround(size.width() * devicePixelRatio)),
                       static_cast<int>(std::lround(size.height() * devicePixelRatio)));
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    image.setDevicePixelRatio(devicePixelRatio);
    return QPixmap::fromImage(image);
}

}  // namespace

QString ResourcePath(Image image) {
    switch (image) {
        case Image::AppIcon:
            return QStringLiteral(":/vantelo/icon128.svg");
        case Image::DownArrow:
            return QStringLiteral(":/vantelo/bitmap129.svg");
        case Image::TrapGreen:
            return QStringLiteral(":/vantelo/bitmap130.svg");
        case Image::TrapRed:
            return QStringLiteral(":/vantelo/bitmap131.svg");
        case Image::UnreadTrap:
            return QStringLiteral(":/vantelo/icon136.svg");
        case Image::NotAlive:
            return QStringLiteral(":/vantelo/icon137.svg");
        case Image::MonitorCaption:
            return QStringLiteral(":/vantelo/bitmap151.svg");
        case Image::DiscoveryCaption:
            return QStringLiteral(":/vantelo/bitmap152.svg");
        case Image::ToolsCaption:
            return QStringLiteral(":/vantelo/tools_caption.svg");
    }
    return {};
}

QPixmap Picture(Image image, qreal devicePixelRatio) {
    QSvgRenderer renderer(ResourcePath(image));
    return Render(renderer, renderer.defaultSize(), devicePixelRatio);
}

QIcon IconOf(Image image) {
    QSvgRenderer renderer(ResourcePath(image));
    QIcon icon;
    for (const int side : {16, 22, 24, 32, 48, 64, 128, 256}) {
        icon.addPixmap(Render(renderer, QSize(side, side), 1.0));
    }
    return icon;
}

}  // namespace vantelo
