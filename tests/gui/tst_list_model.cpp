// The table model over the engine's lists: rows, texts and images follow the engine, and the
// selections of view and engine stay in step both ways, through the engine's item-changing hook.

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <cstdio>

#include "GuiTestSupport.h"
#include "gui/ListTableModel.h"
#include "gui/StatusImages.h"
#include "lists/AgentLists.h"

using namespace vantelo;
using namespace vantelo::test;

namespace {

// Qt's own checks of the model's contract (indexes, parents, row and data signals) run after
// every change and fail the test that made it.
constexpr auto kTesterReports = QAbstractItemModelTester::FailureReportingMode::QtTest;

// Three columns are enough to show the rows; the lists' own columns are the main window's test.
constexpr ListColumn kColumns[] = {{"S", 20, Alignment::Centre, CellField::Image},
                                   {"IP Address", 80, Alignment::Left, CellField::IpText},
                                   {"MAC Address", 100, Alignment::Left, CellField::MacText}};

ColumnTable Columns() {
    return kColumns;
}

// A bare list shown by a model of its own: the operator's selections go straight to it.
ListTableModel::Binding Bind(ListModel& list) {
    return {&list, [&list](int row, bool selected) { list.SetSelected(row, selected); },
            [&list](ListModel::Observer* observer) { list.SetObserver(observer); }};
}

// The console's two lists, each in a view: a change in one clears the other's selection first.
struct TwoLists {
    TwoLists() {
        for (int slot = 0; slot < 4; ++slot) {
            DeviceRecord record{};
            record.macText[0] = static_cast<char>('a' + slot);
            std::snprintf(record.ipText, sizeof record.ipText, "10.77.0.%d", slot + 1);
            agents.StoreDiscovery(slot, record);
            agents.StoreMonitor(slot, record);
        }
        Show(upperView, upperModel);
        Show(lowerView, lowerModel);
    }

    static void Show(QTableView& view, ListTableModel& model) {
        view.setModel(&model);
        model.BindSelection(view.selectionModel());
        view.setSelectionBehavior(QAbstractItemView::SelectRows);
        view.setSelectionMode(QAbstractItemView::ExtendedSelection);
        view.resize(320, 200);
        view.show();
    }

    ListTableModel::Binding Bind(ListId list) {
        return {&agents.List(list),
                [this, list](int row, bool selected) { agents.Select(list, row, selected); },
                [this, list](ListModel::Observer* observer) { agents.Watch(list, observer); }};
    }

    AgentLists agents;
    const ListModel& upper = agents.DiscoveryList();
    const ListModel& lower = agents.MonitorList();
    ListTableModel upperModel{Bind(ListId::Discovery), Columns()};
    ListTableModel lowerModel{Bind(ListId::Monitor), Columns()};
    QAbstractItemModelTester upperTester{&upperModel, kTesterReports};
    QAbstractItemModelTester lowerTester{&lowerModel, kTesterReports};
    QTableView upperView;
    QTableView lowerView;
};

QString Cell(const QAbstractItemModel& model, int row, int column) {
    return model.data(model.index(row, column)).toString();
}

}  // namespace

class TestListModel : public QObject {
    Q_OBJECT

private slots:
    void rowsFollowTheEngine();
    void labelEditsAreDiscarded();
    void operatorSelectionReachesTheEngine();
    void engineSelectionReachesTheView();
    void selectedRowsFollowInsertionsAndRemovals();
};

void TestListModel::rowsFollowTheEngine() {
    ListModel list(3);
    ListTableModel model(Bind(list), Columns());
    QAbstractItemModelTester tester(&model, kTesterReports);
    model.SetImages(StatusImages());
    QTableView view;
    view.setModel(&model);
    model.BindSelection(view.selectionModel());

    QCOMPARE(model.columnCount(), 3);
    QCOMPARE(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("IP Address"));
    list.InsertRow(0, -1, 0);
    list.InsertRow(1, 1, 1);
    list.InsertRow(1, -1, 7);
    list.SetText(0, 1, "10.77.0.9");
    list.SetText(1, 1, "10.77.0.10");
    list.SetText(2, 1, "10.77.0.2");
    list.SetText(2, 2, "\xe9t\xe9");  // single-byte text from an agent
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(Cell(model, 2, 1), QStringLiteral("10.77.0.2"));
    QCOMPARE(Cell(model, 2, 2), QStringLiteral("\u00e9t\u00e9"));
    QVERIFY(model.data(model.index(0, 0), Qt::DecorationRole).isNull());
    QVERIFY(!model.data(model.index(2, 0), Qt::DecorationRole).value<QIcon>().isNull());
    QVERIFY(model.data(model.index(2, 1), Qt::DecorationRole).isNull());
    // A screen reader reads the status image by its name, and other cells by their text.
    QCOMPARE(model.data(model.index(2, 0), Qt::AccessibleTextRole).toString(),
             QStringLiteral("Not alive"));
    QVERIFY(model.data(model.index(0, 0), Qt::AccessibleTextRole).isNull());
    QVERIFY(model.data(model.index(2, 1), Qt::AccessibleTextRole).isNull());
    QCOMPARE(model.data(model.index(0, 0), Qt::TextAlignmentRole).value<Qt::Alignment>(),
             Qt::AlignHCenter | Qt::AlignVCenter);
    QCOMPARE(model.data(model.index(0, 1), Qt::TextAlignmentRole).value<Qt::Alignment>(),
             Qt::AlignLeft | Qt::AlignVCenter);

    // Sorting by text: addresses sort as text.
    list.SetSelected(1, true);
    list.Sort([](const ListModel::RowView& a, const ListModel::RowView& b) {
        return (*a.texts)[1] < (*b.texts)[1];
    });
    QCOMPARE(Cell(model, 0, 1), QStringLiteral("10.77.0.10"));
    QCOMPARE(Cell(model, 2, 1), QStringLiteral("10.77.0.9"));
    QCOMPARE(ViewSelection(&view), std::vector<int>{0});

    list.DeleteRow(1);
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(Cell(model, 1, 1), QStringLiteral("10.77.0.9"));
    list.DeleteAll();
    QCOMPARE(model.rowCount(), 0);
}

void TestListModel::labelEditsAreDiscarded() {
    ListModel list(3);
    list.InsertRow(0, -1, 0);
    list.SetText(0, 0, "020a1b000001");
    ListTableModel model(Bind(list), Columns());
    QAbstractItemModelTester tester(&model, kTesterReports);
    model.SetLabelEditing(true);
    QTableView view;
    view.setModel(&model);
    view.setEditTriggers(QAbstractItemView::EditKeyPressed);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QVERIFY(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);
    QVERIFY(!(model.flags(model.index(0, 1)) & Qt::ItemIsEditable));

    view.setCurrentIndex(model.index(0, 0));
    QTest::keyClick(view.viewport(), Qt::Key_F2);
    auto* editor = view.viewport()->findChild<QLineEdit*>();
    QVERIFY(editor != nullptr);
    editor->setText(QStringLiteral("renamed"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(list.Text(0, 0), std::string("020a1b000001"));
    QCOMPARE(Cell(model, 0, 0), QStringLiteral("020a1b000001"));
}

void TestListModel::operatorSelectionReachesTheEngine() {
    TwoLists lists;
    QVERIFY(QTest::qWaitForWindowExposed(&lists.lowerView));

    ClickRow(&lists.upperView, 1);
    ClickRow(&lists.upperView, 3, Qt::ControlModifier);
    QCOMPARE(lists.upper.SelectedRows(), (std::vector<int>{1, 3}));

    // A click in the other list clears this one, in the engine and on the screen.
    ClickRow(&lists.lowerView, 2);
    QCOMPARE(lists.lower.SelectedRows(), std::vector<int>{2});
    QCOMPARE(lists.upper.SelectedRows(), std::vector<int>{});
    QCOMPARE(ViewSelection(&lists.upperView), std::vector<int>{});

    // Shift-click extends; the other list loses only its first selected row, as the hook says.
    ClickRow(&lists.lowerView, 3, Qt::ShiftModifier);
    QCOMPARE(lists.lower.SelectedRows(), (std::vector<int>{2, 3}));
    ClickRow(&lists.upperView, 0);
    QCOMPARE(lists.upper.SelectedRows(), std::vector<int>{0});
    QCOMPARE(lists.lower.SelectedRows(), std::vector<int>{3});
    QCOMPARE(ViewSelection(&lists.lowerView), std::vector<int>{3});

    // Clicking a selected row alone deselects the others.
    ClickRow(&lists.upperView, 2, Qt::ControlModifier);
    ClickRow(&lists.upperView, 2);
    QCOMPARE(lists.upper.SelectedRows(), std::vector<int>{2});
    QCOMPARE(ViewSelection(&lists.upperView), std::vector<int>{2});
}

void TestListModel::engineSelectionReachesTheView() {
    TwoLists lists;
    lists.agents.Select(ListId::Discovery, 2, true);
    QCOMPARE(ViewSelection(&lists.upperView), std::vector<int>{2});

    lists.agents.Select(ListId::Monitor, 0, true);
    QCOMPARE(ViewSelection(&lists.upperView), std::vector<int>{});
    QCOMPARE(ViewSelection(&lists.lowerView), std::vector<int>{0});
}

void TestListModel::selectedRowsFollowInsertionsAndRemovals() {
    ListModel list(3);
    for (int row = 0; row < 4; ++row) {
        list.InsertRow(row, -1, row);
    }
    ListTableModel model(Bind(list), Columns());
    QAbstractItemModelTester tester(&model, kTesterReports);
    QTableView view;
    TwoLists::Show(view, model);
    list.SetSelected(0, true);

    // Rows inserted before and removed around a selected row keep it selected where it went.
    list.InsertRow(0, -1, 9);
    QCOMPARE(ViewSelection(&view), std::vector<int>{1});
    list.SetSelected(3, true);
    list.DeleteRow(1);
    QCOMPARE(list.SelectedRows(), std::vector<int>{2});
    QCOMPARE(ViewSelection(&view), std::vector<int>{2});

    // A row deleted and inserted again at the same position comes back unselected.
    list.DeleteRow(2);
    list.InsertRow(2, 1, 2);
    QCOMPARE(ViewSelection(&view), std::vector<int>{});
    QCOMPARE(list.SelectedCount(), 0);
}

VANTELO_GUI_TEST_MAIN(TestListModel)
#include "tst_list_model.moc"
