#pragma once

#include <QLayout>
#include <QList>
#include <QRect>
#include <QSize>
#include <QWidget>

namespace vantelo {

// How each edge of a control follows a window that grows beyond its template size: a left or
// right edge moves by sixths of the extra width, a top or bottom edge by halves of the extra
// height. {0, 6, 0, 2} grows with the window; {6, 6, 2, 2} keeps to the lower right corner.
struct Anchors {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
};

inline constexpr Anchors kFixed{};

// A layout that places every control at its template geometry in a window of the template's
// size, which is also the smallest it takes, and moves the anchored edges in a larger one. At the
// template size nothing differs from placing the controls by hand.
class AnchoredLayout : public QLayout {
    Q_OBJECT
public:
    explicit AnchoredLayout(QSize base, QWidget* parent = nullptr);
    ~AnchoredLayout() override;

    // Takes widget, at geometry when the window has its template size.
    void Add(QWidget* widget, QRect geometry, Anchors anchors);
    // Takes widget where it is now.
    void Add(QWidget* widget, Anchors anchors) { Add(widget, widget->geometry(), anchors); }

    void addItem(QLayoutItem* item) override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    int count() const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

private:
    struct Entry {
        QLayoutItem* item;
        QRect geometry;
        Anchors anchors;
    };
    QSize base_;
    QList<Entry> entries_;
};

}  // namespace vantelo
