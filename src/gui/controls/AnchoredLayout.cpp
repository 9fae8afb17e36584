#include "gui/controls/AnchoredLayout.h"

#include <QWidget>
#include <algorithm>

namespace vantelo {

AnchoredLayout::AnchoredLayout(QSize base, QWidget* parent) : QLayout(parent), base_(base) {
    setContentsMargins(0, 0, 0, 0);
    setSpacing(0);
}

AnchoredLayout::~AnchoredLayout() {
    for (const Entry& entry : entries_) {
        delete entry.item;
    }
}

void AnchoredLayout::Add(QWidget* widget, QRect geometry, Anchors anchors) {
    addChildWidget(widget);
    widget->setGeometry(geometry);
    entries_.append(Entry{new QWidgetItem(widget), geometry, anchors});
    invalidate();
}

void AnchoredLayout::addItem(QLayoutItem* item) {
    entries_.append(Entry{item, item->geometry(), kFixed});
}

QLayoutItem* AnchoredLayout::itemAt(int index) const {
    return index >= 0 && index < entries_.size() ? entries_[index].item : nullptr;
}

QLayoutItem* AnchoredLayout::takeAt(int index) {
    if (index < 0 || index >= entries_.size()) {
        return nullptr;
    }
    return entries_.takeAt(index).item;
}

int AnchoredLayout::count() const {
    return static_cast<int>(entries_.size());
}

QSize AnchoredLayout::sizeHint() const {
    return base_;
}

QSize AnchoredLayout::minimumSize() const {
    return base_;
}

void AnchoredLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    const int extraWidth = std::max(0, rect.width() - base_.width());
    const int extraHeight = std::max(0, rect.height() - base_.height());
    const auto across = [extraWidth](int sixths) { return extraWidth * sixths / 6; };
    const auto down = [extraHeight](int halves) { return extraHeight * halves / 2; };
    for (const Entry& entry : entries_) {
        const QRect& at = entry.geometry;
        const Anchors& a = entry.anchors;
        const int left = at.left() + across(a.left);
        const int top = at.top() + down(a.top);
        const int right = at.left() + at.width() + across(a.right);
        const int bottom = at.top() + at.height() + down(a.bottom);
        const QRect placed(rect.left() + left, rect.top() + top, right - left, bottom - top);
        // A widget takes its rectangle exactly, whatever its own size hints say.
        if (QWidget* widget = entry.item->widget()) {
            widget->setGeometry(placed);
        } else {
            entry.item->setGeometry(placed);
        }
    }
}

}  // namespace vantelo
