#include "lists/ListSorting.h"

#include <string>

namespace vantelo {

namespace {

// -1, 0 or 1 as a is below, equal to or above b.
int CompareRows(const ListModel::RowView& a, const ListModel::RowView& b, bool byImage,
                int column) {
    if (byImage) {
        return (a.image > b.image) - (a.image < b.image);
    }
    // std::string compares as unsigned bytes, like the C library's strcmp.
    int order =
        (*a.texts)[static_cast<size_t>(column)].compare((*b.texts)[static_cast<size_t>(column)]);
    return (order > 0) - (order < 0);
}

}  // namespace

void SortList(ConsoleState& state, ListId list, int column) {
    ListModel& rows = list == ListId::Discovery ? state.discoveryList : state.monitorList;
    if (column < 0 || column >= rows.ColumnCount()) {
        return;
    }
    state.sortAscending = !state.sortAscending;
    state.sortColumn = column;
    bool byImage = list == ListId::Monitor && column == 0;
    int direction = state.sortAscending ? 1 : -1;
    rows.Sort(
        [byImage, column, direction](const ListModel::RowView& a, const ListModel::RowView& b) {
            return CompareRows(a, b, byImage, column) * direction < 0;
        });
}

}  // namespace vantelo
