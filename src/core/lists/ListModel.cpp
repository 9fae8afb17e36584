#include "lists/ListModel.h"

#include <algorithm>

namespace vantelo {

namespace {
const std::string kEmptyText;
}

ListModel::ListModel(int columnCount) : columnCount_(columnCount) {}

int ListModel::InsertRow(int row, int image, long itemData) {
    return InsertRow(row, image, itemData, {});
}

int ListModel::InsertRow(int row, int image, long itemData, std::vector<std::string> texts) {
    row = std::clamp(row, 0, RowCount());
    Row fresh;
    fresh.texts = std::move(texts);
    fresh.texts.resize(static_cast<size_t>(columnCount_));
    fresh.image = image;
    fresh.itemData = itemData;
    rows_.insert(rows_.begin() + row, std::move(fresh));
    if (observer_ != nullptr) {
        observer_->RowInserted(row);
    }
    return row;
}

void ListModel::DeleteRow(int row) {
    if (!InRange(row)) {
        return;
    }
    rows_.erase(rows_.begin() + row);
    if (observer_ != nullptr) {
        observer_->RowRemoved(row);
    }
}

void ListModel::DeleteAll() {
    rows_.clear();
    if (observer_ != nullptr) {
        observer_->AllRemoved();
    }
}

const std::string& ListModel::Text(int row, int column) const {
    if (!InRange(row) || column < 0 || column >= columnCount_) {
        return kEmptyText;
    }
    return rows_[static_cast<size_t>(row)].texts[static_cast<size_t>(column)];
}

void ListModel::SetText(int row, int column, const std::string& text) {
    if (!InRange(row) || column < 0 || column >= columnCount_) {
        return;
    }
    std::string& cell = rows_[static_cast<size_t>(row)].texts[static_cast<size_t>(column)];
    if (cell == text) {
        return;
    }
    cell = text;
    if (observer_ != nullptr) {
        observer_->RowChanged(row);
    }
}

void ListModel::SetTexts(int row, std::vector<std::string> texts) {
    if (!InRange(row)) {
        return;
    }
    texts.resize(static_cast<size_t>(columnCount_));
    std::vector<std::string>& cells = rows_[static_cast<size_t>(row)].texts;
    if (cells == texts) {
        return;
    }
    cells = std::move(texts);
    if (observer_ != nullptr) {
        observer_->RowChanged(row);
    }
}

int ListModel::Image(int row) const {
    return InRange(row) ? rows_[static_cast<size_t>(row)].image : -1;
}

void ListModel::SetImage(int row, int image) {
    if (!InRange(row)) {
        return;
    }
    if (rows_[static_cast<size_t>(row)].image == image) {
        return;
    }
    rows_[static_cast<size_t>(row)].image = image;
    if (observer_ != nullptr) {
        observer_->RowChanged(row);
    }
}

long ListModel::ItemData(int row) const {
    return InRange(row) ? rows_[static_cast<size_t>(row)].itemData : 0;
}

void ListModel::SetItemData(int row, long itemData) {
    if (InRange(row)) {
        rows_[static_cast<size_t>(row)].itemData = itemData;
    }
}

bool ListModel::IsSelected(int row) const {
    return InRange(row) && rows_[static_cast<size_t>(row)].selected;
}

void ListModel::SetSelected(int row, bool selected) {
    if (!InRange(row) || rows_[static_cast<size_t>(row)].selected == selected) {
        return;
    }
    if (itemChanging_) {
        itemChanging_(row);
    }
    // The hook may have changed the rows of this list; look the row up again.
    if (!InRange(row)) {
        return;
    }
    rows_[static_cast<size_t>(row)].selected = selected;
    if (observer_ != nullptr) {
        observer_->SelectionChanged(row, selected);
    }
}

std::vector<int> ListModel::SelectedRows() const {
    std::vector<int> selected;
    for (int row = 0; row < RowCount(); ++row) {
        if (rows_[static_cast<size_t>(row)].selected) {
            selected.push_back(row);
        }
    }
    return selected;
}

int ListModel::FirstSelectedRow() const {
    for (int row = 0; row < RowCount(); ++row) {
        if (rows_[static_cast<size_t>(row)].selected) {
            return row;
        }
    }
    return -1;
}

int ListModel::SelectedCount() const {
    return static_cast<int>(
        std::count_if(rows_.begin(), rows_.end(), [](const Row& row) { return row.selected; }));
}

void ListModel::Sort(const std::function<bool(const RowView&, const RowView&)>& less) {
    std::stable_sort(rows_.begin(), rows_.end(), [&less](const Row& a, const Row& b) {
        return less(RowView{&a.texts, a.image, a.itemData}, RowView{&b.texts, b.image, b.itemData});
    });
    if (observer_ != nullptr) {
        observer_->RowsReordered();
    }
}

}  // namespace vantelo
