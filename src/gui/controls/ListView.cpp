#include "gui/controls/ListView.h"

#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolTip>
#include <algorithm>

#include "gui/ListTableModel.h"

namespace vantelo {

namespace {

constexpr int kRowHeight = 17;

// Cells as Qt draws them, with the whole text as a tooltip where the cell shows it elided.
class ElidedTipDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override {
        if (event->type() != QEvent::ToolTip) {
            return QStyledItemDelegate::helpEvent(event, view, option, index);
        }
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        const QStyle* style = view->style();
        const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &item, view);
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
        const bool elided =
            item.fontMetrics.horizontalAdvance(item.text) > textRect.width() - 2 * margin;
        if (item.text.isEmpty() || !elided) {
            QToolTip::hideText();
            return true;
        }
        QToolTip::showText(event->globalPos(), item.text, view->viewport(), option.rect);
        return true;
    }
};

}  // namespace

QTableView* BuildListView(QWidget* parent, ListTableModel* model) {
    auto* view = new QTableView(parent);
    // The window's colour stops at the list: the list keeps the standard colours.
    QPalette standard = QApplication::palette();
    standard.setResolveMask(~QPalette::ResolveMask(0));
    view->setPalette(standard);
    view->setModel(model);
    view->setItemDelegate(new ElidedTipDelegate(view));
    model->BindSelection(view->selectionModel());
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setShowGrid(false);
    view->setWordWrap(false);
    view->setIconSize(QSize(16, 16));
    view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(kRowHeight);
    QHeaderView* header = view->horizontalHeader();
    header->setSectionsClickable(true);
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    header->setMinimumSectionSize(16);  // the status column is narrower than Qt's default minimum
    for (size_t column = 0; column < model->Columns().size(); ++column) {
        view->setColumnWidth(static_cast<int>(column), model->Columns()[column].width);
    }
    return view;
}

void FitColumnToText(QTableView* view, int column, const QString& sample) {
    // The item delegate keeps the focus frame's margin and one pixel on each side of the text.
    const int margin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    const int needed = view->fontMetrics().horizontalAdvance(sample) + 2 * margin;
    view->setColumnWidth(column, std::max(view->columnWidth(column), needed));
}

}  // namespace vantelo
