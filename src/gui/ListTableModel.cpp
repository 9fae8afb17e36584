#include "gui/ListTableModel.h"

#include <set>

namespace vantelo {

namespace {

class Following {
public:
    explicit Following(int& depth) : depth_(depth) { ++depth_; }
    ~Following() { --depth_; }
    Following(const Following&) = delete;
    Following& operator=(const Following&) = delete;

private:
    int& depth_;
};

QVariant AlignmentOf(const ListColumn& column) {
    const bool centred = column.alignment == Alignment::Centre;
    return QVariant::fromValue(Qt::AlignVCenter | (centred ? Qt::AlignHCenter : Qt::AlignLeft));
}

std::set<int> RowsOf(const QItemSelection& selection) {
    std::set<int> rows;
    for (const QItemSelectionRange& range : selection) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            rows.insert(row);
        }
    }
    return rows;
}

}  // namespace

ListTableModel::ListTableModel(Binding binding, ColumnTable columns, QObject* parent)
    : QAbstractTableModel(parent),
      list_(*binding.list),
      binding_(std::move(binding)),
      columns_(columns),
      shownRows_(list_.RowCount()) {
    binding_.watch(this);
}

ListTableModel::~ListTableModel() {
    binding_.watch(nullptr);
}

void ListTableModel::BindSelection(QItemSelectionModel* selection) {
    selection_ = selection;
    connect(selection, &QItemSelectionModel::selectionChanged, this,
            &ListTableModel::OnViewSelectionChanged);
    for (int row = 0; row < list_.RowCount(); ++row) {
        if (list_.IsSelected(row)) {
            ShowEngineSelection(row, true);
        }
    }
}

int ListTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shownRows_;
}

int ListTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant ListTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    const int row = index.row();
    const int column = index.column();
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole: {
            // Agents send single-byte texts; every byte shows as one character.
            const std::string& text = list_.Text(row, column);
            return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
        }
        case Qt::DecorationRole:
            if (const StatusImage* image = ImageAt(row, column)) {
                return image->icon;
            }
            return {};
        case Qt::AccessibleTextRole:
            // A status image is read out by its name; other cells by their text.
            if (const StatusImage* image = ImageAt(row, column)) {
                return image->name;
            }
            return {};
        case Qt::TextAlignmentRole:
            return AlignmentOf(columns_[static_cast<size_t>(column)]);
        default:
            return {};
    }
}

const ListTableModel::StatusImage* ListTableModel::ImageAt(int row, int column) const {
    const int image = list_.Image(row);
    if (column != 0 || image < 0 || image >= static_cast<int>(images_.size())) {
        return nullptr;
    }
    return &images_[static_cast<size_t>(image)];
}

QVariant ListTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 ||
        section >= static_cast<int>(columns_.size())) {
        return {};
    }
    const ListColumn& column = columns_[static_cast<size_t>(section)];
    if (role == Qt::DisplayRole) {
        return QString::fromLatin1(column.title.data(),
                                   static_cast<qsizetype>(column.title.size()));
    }
    if (role == Qt::TextAlignmentRole) {
        return AlignmentOf(column);
    }
    return {};
}

Qt::ItemFlags ListTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (labelEditing_ && index.column() == 0) {
        flags |= Qt::ItemIsEditable;
    }
    return flags;
}

bool ListTableModel::setData(const QModelIndex&, const QVariant&, int) {
    return false;  // no handler accepts a label edit
}

void ListTableModel::RowInserted(int row) {
    Following following(followingEngine_);
    beginInsertRows(QModelIndex(), row, row);
    ++shownRows_;
    endInsertRows();
}

void ListTableModel::RowRemoved(int row) {
    Following following(followingEngine_);
    beginRemoveRows(QModelIndex(), row, row);
    --shownRows_;
    endRemoveRows();
}

void ListTableModel::RowChanged(int row) {
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void ListTableModel::SelectionChanged(int row, bool selected) {
    ShowEngineSelection(row, selected);
}

void ListTableModel::RowsReordered() {
    Reset();
}

void ListTableModel::AllRemoved() {
    Reset();
}

void ListTableModel::Reset() {
    Following following(followingEngine_);
    beginResetModel();
    shownRows_ = list_.RowCount();
    endResetModel();
    for (int row = 0; row < shownRows_; ++row) {
        if (list_.IsSelected(row)) {
            ShowEngineSelection(row, true);
        }
    }
}

void ListTableModel::ShowEngineSelection(int row, bool selected) {
    if (selection_ == nullptr || row < 0 || row >= shownRows_) {
        return;
    }
    Following following(followingEngine_);
    selection_->select(index(row, 0),
                       (selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) |
                           QItemSelectionModel::Rows);
}

void ListTableModel::OnViewSelectionChanged(const QItemSelection& selected,
                                            const QItemSelection& deselected) {
    if (followingEngine_ > 0) {
        return;
    }
    // Deselections first, so that the engine's hook sees the rows in the order the operator
    // changed them; every row then takes the state the view shows.
    for (const std::set<int>& rows : {RowsOf(deselected), RowsOf(selected)}) {
        for (const int row : rows) {
            binding_.select(row, selection_->isSelected(index(row, 0)));
        }
    }
}

}  // namespace vantelo
