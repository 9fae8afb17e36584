#pragma once

#include <functional>
#include <string>
#include <vector>

namespace vantelo {

// What the engine's list views hold: rows of cell texts, an image index, item data and a
// selected flag. The item count is the number of used slots of the table the list shows.
class ListModel {
public:
    // Told of every change so that a view can follow; a write of what a row already holds is
    // no change.
    class Observer {
    public:
        virtual ~Observer() = default;
        virtual void RowInserted(int row) = 0;
        virtual void RowRemoved(int row) = 0;
        virtual void RowChanged(int row) = 0;
        virtual void SelectionChanged(int row, bool selected) = 0;
        virtual void RowsReordered() = 0;
        virtual void AllRemoved() = 0;
    };

    explicit ListModel(int columnCount);

    int ColumnCount() const { return columnCount_; }
    int RowCount() const { return static_cast<int>(rows_.size()); }

    // Inserts an empty row at row (clamped to 0..RowCount); returns its position.
    int InsertRow(int row, int image, long itemData);
    // The same with the row's texts (cut or padded to the column count) in place before the
    // observer hears of it: one insertion instead of an insertion and a change a column.
    int InsertRow(int row, int image, long itemData, std::vector<std::string> texts);
    void DeleteRow(int row);  // out of range: nothing happens
    void DeleteAll();

    // Out-of-range rows read as empty text, image -1, item data 0, not selected.
    const std::string& Text(int row, int column) const;
    void SetText(int row, int column, const std::string& text);
    // Writes a row's texts (cut or padded to the column count) with one change at most.
    void SetTexts(int row, std::vector<std::string> texts);
    int Image(int row) const;
    void SetImage(int row, int image);
    long ItemData(int row) const;
    void SetItemData(int row, long itemData);
    bool IsSelected(int row) const;
    // Announces the change to the item-changing hook first, then applies it.
    void SetSelected(int row, bool selected);
    std::vector<int> SelectedRows() const;  // ascending
    int FirstSelectedRow() const;           // -1 when none
    int SelectedCount() const;

    // Stable sort of the rows with less(a, b) over row contents; item data travels with its row.
    struct RowView {
        const std::vector<std::string>* texts;
        int image;
        long itemData;
    };
    void Sort(const std::function<bool(const RowView&, const RowView&)>& less);

    // Called before a row's selected state changes (by the operator or by the engine).
    void SetItemChangingHook(std::function<void(int row)> hook) { itemChanging_ = std::move(hook); }
    void SetObserver(Observer* observer) { observer_ = observer; }

private:
    struct Row {
        std::vector<std::string> texts;
        int image = -1;
        long itemData = 0;
        bool selected = false;
    };

    bool InRange(int row) const { return row >= 0 && row < RowCount(); }

    int columnCount_;
    std::vector<Row> rows_;
    std::function<void(int)> itemChanging_;
    Observer* observer_ = nullptr;
};

}  // namespace vantelo
