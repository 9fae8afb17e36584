#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lists/ListModel.h"

namespace vantelo {
namespace {

// Records what the model announces, in order.
class Recorder : public ListModel::Observer {
public:
    void RowInserted(int row) override { events.push_back("insert " + std::to_string(row)); }
    void RowRemoved(int row) override { events.push_back("remove " + std::to_string(row)); }
    void RowChanged(int row) override { events.push_back("change " + std::to_string(row)); }
    void SelectionChanged(int row, bool selected) override {
        events.push_back((selected ? "select " : "unselect ") + std::to_string(row));
    }
    void RowsReordered() override { events.push_back("reorder"); }
    void AllRemoved() override { events.push_back("clear"); }

    std::vector<std::string> events;
};

TEST(ListModel, RowsReadOutOfRangeAsEmptyAndIgnoreWritesThere) {
    ListModel list(3);
    EXPECT_EQ(list.InsertRow(5, 1, 42), 0);
    list.SetText(0, 2, "x");
    list.SetText(0, 3, "beyond the columns");
    list.SetText(1, 0, "beyond the rows");
    list.DeleteRow(1);
    EXPECT_EQ(list.RowCount(), 1);
    EXPECT_EQ(list.Text(0, 2), "x");
    EXPECT_EQ(list.Text(1, 0), "");
    EXPECT_EQ(list.Text(-1, 0), "");
    EXPECT_EQ(list.Image(1), -1);
    EXPECT_EQ(list.ItemData(0), 42);
    EXPECT_FALSE(list.IsSelected(1));
}

TEST(ListModel, TheHookSeesEachSelectionChangeBeforeItIsMade) {
    ListModel list(1);
    Recorder recorder;
    list.SetObserver(&recorder);
    list.InsertRow(0, -1, 0);
    list.InsertRow(1, -1, 1);
    std::vector<bool> seenBefore;
    list.SetItemChangingHook([&](int row) { seenBefore.push_back(list.IsSelected(row)); });
    list.SetSelected(1, true);
    list.SetSelected(1, true);  // no change, no call
    list.SetSelected(1, false);
    EXPECT_EQ(seenBefore, (std::vector<bool>{false, true}));
    EXPECT_EQ(recorder.events,
              (std::vector<std::string>{"insert 0", "insert 1", "select 1", "unselect 1"}));
}

TEST(ListModel, OnlyWritesThatChangeARowAreAnnounced) {
    ListModel list(2);
    Recorder recorder;
    list.SetObserver(&recorder);
    list.InsertRow(0, -1, 0);
    list.SetText(0, 1, "a");
    list.SetText(0, 1, "a");
    list.SetImage(0, -1);
    list.SetImage(0, 1);
    list.SetImage(0, 1);
    list.SetText(0, 1, "b");
    EXPECT_EQ(recorder.events,
              (std::vector<std::string>{"insert 0", "change 0", "change 0", "change 0"}));
    EXPECT_EQ(list.Text(0, 1), "b");
    EXPECT_EQ(list.Image(0), 1);
}

TEST(ListModel, AWholeRowIsOneInsertionOrOneChange) {
    ListModel list(3);
    // The observer reads the row as it will stay: its texts are there when it hears of it.
    struct TextsAtInsertion : Recorder {
        explicit TextsAtInsertion(const ListModel& l) : list(l) {}
        void RowInserted(int row) override {
            Recorder::RowInserted(row);
            seen.push_back(list.Text(row, 0));
        }
        const ListModel& list;
        std::vector<std::string> seen;
    } recorder(list);
    list.SetObserver(&recorder);
    list.InsertRow(0, 2, 7, {"a", "b", "c", "beyond the columns"});
    list.InsertRow(0, -1, 8, {"short"});
    list.SetTexts(1, {"a", "b", "c"});  // what the row holds: no change
    list.SetTexts(1, {"a", "x"});
    list.SetTexts(2, {"beyond the rows"});
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"insert 0", "insert 0", "change 1"}));
    EXPECT_EQ(recorder.seen, (std::vector<std::string>{"a", "short"}));
    EXPECT_EQ(list.Text(0, 0), "short");
    EXPECT_EQ(list.Text(0, 2), "");
    EXPECT_EQ(list.Text(1, 1), "x");
    EXPECT_EQ(list.Text(1, 2), "");
    EXPECT_EQ(list.Image(1), 2);
    EXPECT_EQ(list.ItemData(1), 7);
}

TEST(ListModel, SortIsStableAndMovesWholeRows) {
    ListModel list(2);
    const char* keys[] = {"b", "a", "b", "a"};
    for (int i = 0; i < 4; ++i) {
        list.InsertRow(i, i, 100 + i);
        list.SetText(i, 0, keys[i]);
    }
    list.SetSelected(2, true);
    list.Sort([](const ListModel::RowView& a, const ListModel::RowView& b) {
        return (*a.texts)[0] < (*b.texts)[0];
    });
    std::vector<long> order;
    for (int row = 0; row < 4; ++row) {
        order.push_back(list.ItemData(row));
        EXPECT_EQ(list.Image(row), list.ItemData(row) - 100);
    }
    EXPECT_EQ(order, (std::vector<long>{101, 103, 100, 102}));
    EXPECT_EQ(list.SelectedRows(), std::vector<int>{3});
}

}  // namespace
}  // namespace vantelo
