#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <QItemSelectionModel>
#include <QPointer>
#include <functional>
#include <vector>

#include "lists/ColumnTable.h"
#include "lists/ListModel.h"

namespace vantelo {

// Shows one of the engine's lists in a Qt item view and keeps the two selections in step: the
// operator's selections go to the engine's rows (whose item-changing hook runs first), and the
// engine's selections, insertions, removals and sorts come back to the view.
class ListTableModel final : public QAbstractTableModel, private ListModel::Observer {
    Q_OBJECT
public:
    // The list the model shows, and how it reaches the engine: the operator's selections go
    // through select, and watch registers (and, with nullptr, removes) the model as observer.
    struct Binding {
        const ListModel* list;
        std::function<void(int row, bool selected)> select;
        std::function<void(ListModel::Observer* observer)> watch;
    };

    // The columns come from the engine's tables, which live as long as the program.
    ListTableModel(Binding binding, ColumnTable columns, QObject* parent = nullptr);
    ~ListTableModel() override;

    // An image of the list's small image list, with what a screen reader says for it.
    struct StatusImage {
        QIcon icon;
        QString name;
    };

    ColumnTable Columns() const { return columns_; }
    // Images by index, shown in column 0.
    void SetImages(std::vector<StatusImage> images) { images_ = std::move(images); }
    // Lets the operator edit column 0; the edit is always discarded.
    void SetLabelEditing(bool enabled) { labelEditing_ = enabled; }
    // The view's selection model, to keep in step with the engine's selected flags.
    void BindSelection(QItemSelectionModel* selection);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

private:
    void RowInserted(int row) override;
    void RowRemoved(int row) override;
    void RowChanged(int row) override;
    void SelectionChanged(int row, bool selected) override;
    void RowsReordered() override;
    void AllRemoved() override;

    void Reset();
    const StatusImage* ImageAt(int row, int column) const;
    void ShowEngineSelection(int row, bool selected);
    void OnViewSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);

    const ListModel& list_;
    Binding binding_;
    ColumnTable columns_;
    std::vector<StatusImage> images_;
    bool labelEditing_ = false;
    int shownRows_ = 0;  // the row count the view was last told of
    QPointer<QItemSelectionModel> selection_;
    // Above 0 while the view follows the engine: its selection signals are then echoes.
    int followingEngine_ = 0;
};

}  // namespace vantelo
