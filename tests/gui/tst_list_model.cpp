// The table model over the engine's lists: rows, texts and images follow the engine, and the
// selections of view and engine stay in step both ways, through the engine's item-changing hook.

#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>

#include "GuiTestSupport.h"
#include "gui/ListTableModel.h"
#include "lists/ListModel.h"

using namespace vantelo;

namespace {

std::vector<ListTableModel::Column> Columns() {
    return {{QStringLiteral("S"), 20, true},
            {QStringLiteral("IP Address"), 80, false},
            {QStringLiteral("MAC Address"), 100, false}};
}

// Two lists wired like the console's: a change in one clears the other's selection first. The
// rule's own changes do not set it off again.
struct TwoLists {
    TwoLists() {
        upper.SetItemChangingHook([this](int) {
            Rule([this] {
                const int row = lower.FirstSelectedRow();
                if (row >= 0) {
                    lower.SetSelected(row, false);
                }
            });
        });
        lower.SetItemChangingHook([this](int) {
            Rule([this] {
                for (const int row : upper.SelectedRows()) {
                    upper.SetSelected(row, false);
                }
            });
        });
        for (ListModel* list : {&upper, &lower}) {
            for (int row = 0; row < 4; ++row) {
                list->InsertRow(row, -1, row);
                list->SetText(row, 1, "10.77.0." + std::to_string(row + 1));
            }
        }
        Show(upperView, upperModel);
        Show(lowerView, lowerModel);
    }

    template <typename Change>
    void Rule(Change change) {
        if (!ruleRunning) {
            ruleRunning = true;
            change();
            ruleRunning = false;
        }
    }

    static void Show(QTableView& view, ListTableModel& model) {
        view.setModel(&model);
        model.BindSelection(view.selectionModel());
        view.setSelectionBehavior(QAbstractItemView::SelectRows);
        view.setSelectionMode(QAbstractItemView::ExtendedSelection);
        view.resize(320, 200);
        view.show();
    }

    bool ruleRunning = false;
    ListModel upper{3};
    ListModel lower{3};
    ListTableModel upperModel{upper, Columns()};
    ListTableModel lowerModel{lower, Columns()};
    QTableView upperView;
    QTableView lowerView;
};

void ClickRow(QTableView& view, int row, Qt::KeyboardModifiers modifiers = {}) {
    const QRect cell = view.visualRect(view.model()->index(row, 1));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, modifiers, cell.center());
}

std::vector<int> ViewSelection(const QTableView& view) {
    std::vector<int> rows;
    for (int row = 0; row < view.model()->rowCount(); ++row) {
        if (view.selectionModel()->isRowSelected(row, QModelIndex())) {
            rows.push_back(row);
        }
    }
    return rows;
}

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
};

void TestListModel::rowsFollowTheEngine() {
    ListModel list(3);
    ListTableModel model(list, Columns());
    model.SetImages({QIcon(QStringLiteral(":/vantelo/icon136.png")),
                     QIcon(QStringLiteral(":/vantelo/icon137.png"))});
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
    QCOMPARE(ViewSelection(view), std::vector<int>{0});

    list.DeleteRow(1);
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(Cell(model, 1, 1), QStringLiteral("10.77.0.9"));
    list.DeleteAll();
    QCOMPARE(model.rowCount(), 0);
}

void TestListModel::labelEditsAreDiscarded() {
    ListModel list(3);
    list.InsertRow(0, -1, 0);
    list.SetText(0, 0, "000a1b000001");
    ListTableModel model(list, Columns());
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
    QCOMPARE(list.Text(0, 0), std::string("000a1b000001"));
    QCOMPARE(Cell(model, 0, 0), QStringLiteral("000a1b000001"));
}

void TestListModel::operatorSelectionReachesTheEngine() {
    TwoLists lists;
    QVERIFY(QTest::qWaitForWindowExposed(&lists.lowerView));

    ClickRow(lists.upperView, 1);
    ClickRow(lists.upperView, 3, Qt::ControlModifier);
    QCOMPARE(lists.upper.SelectedRows(), (std::vector<int>{1, 3}));

    // A click in the other list clears this one, in the engine and on the screen.
    ClickRow(lists.lowerView, 2);
    QCOMPARE(lists.lower.SelectedRows(), std::vector<int>{2});
    QCOMPARE(lists.upper.SelectedRows(), std::vector<int>{});
    QCOMPARE(ViewSelection(lists.upperView), std::vector<int>{});

    // Shift-click extends; the other list loses only its first selected row, as the hook says.
    ClickRow(lists.lowerView, 3, Qt::ShiftModifier);
    QCOMPARE(lists.lower.SelectedRows(), (std::vector<int>{2, 3}));
    ClickRow(lists.upperView, 0);
    QCOMPARE(lists.upper.SelectedRows(), std::vector<int>{0});
    QCOMPARE(lists.lower.SelectedRows(), std::vector<int>{3});
    QCOMPARE(ViewSelection(lists.lowerView), std::vector<int>{3});

    // Clicking a selected row alone deselects the others.
    ClickRow(lists.upperView, 2, Qt::ControlModifier);
    ClickRow(lists.upperView, 2);
    QCOMPARE(lists.upper.SelectedRows(), std::vector<int>{2});
    QCOMPARE(ViewSelection(lists.upperView), std::vector<int>{2});
}

void TestListModel::engineSelectionReachesTheView() {
    TwoLists lists;
    lists.upper.SetSelected(2, true);
    QCOMPARE(ViewSelection(lists.upperView), std::vector<int>{2});

    lists.lower.SetSelected(0, true);
    QCOMPARE(ViewSelection(lists.upperView), std::vector<int>{});
    QCOMPARE(ViewSelection(lists.lowerView), std::vector<int>{0});

    // Rows inserted before and removed around a selected row keep it selected where it went.
    lists.lower.InsertRow(0, -1, 9);
    QCOMPARE(ViewSelection(lists.lowerView), std::vector<int>{1});
    lists.lower.SetSelected(3, true);
    lists.lower.DeleteRow(1);
    QCOMPARE(lists.lower.SelectedRows(), std::vector<int>{2});
    QCOMPARE(ViewSelection(lists.lowerView), std::vector<int>{2});

    // A row replaced in place (delete and insert at the same position) comes back unselected.
    lists.lower.DeleteRow(2);
    lists.lower.InsertRow(2, 1, 2);
    QCOMPARE(ViewSelection(lists.lowerView), std::vector<int>{});
    QCOMPARE(lists.lower.SelectedCount(), 0);
}

VANTELO_GUI_TEST_MAIN(TestListModel)
#include "tst_list_model.moc"
