#include "gui/TrapInfoDialog.h"

#include <QApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>

#include "gui/ListTableModel.h"
#include "gui/QtDialogRunner.h"
#include "gui/StatusImages.h"
#include "gui/controls/ColorScheme.h"
#include "gui/controls/DefaultButton.h"
#include "gui/controls/DialogUnits.h"
#include "lists/ListModel.h"

namespace vantelo {

namespace {

constexpr int kRowHeight = 17;

std::vector<ListTableModel::Column> TrapColumns() {
    return {{QStringLiteral("S"), 20, false},
            {QStringLiteral("Time"), 100, false},
            {QStringLiteral("IP"), 100, false},
            {QStringLiteral("Event"), 800, false},
            {QStringLiteral(" "), 30, false}};
}

QTableView* BuildView(QWidget* parent, ListTableModel* model) {
    auto* view = new QTableView(parent);
    QPalette standard = QApplication::palette();
    standard.setResolveMask(~QPalette::ResolveMask(0));
    view->setPalette(standard);
    view->setModel(model);
    model->BindSelection(view->selectionModel());
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setShowGrid(false);
    view->setWordWrap(false);
    view->setIconSize(QSize(16, 16));
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(kRowHeight);
    QHeaderView* header = view->horizontalHeader();
    header->setSectionsClickable(true);
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    header->setMinimumSectionSize(16);
    for (size_t column = 0; column < model->Columns().size(); ++column) {
        view->setColumnWidth(static_cast<int>(column), model->Columns()[column].width);
    }
    return view;
}

}  // namespace

TrapInfoDialog::TrapInfoDialog(const DialogRequest& request, QWidget* parent)
    : QDialog(parent), request_(request) {
    setWindowTitle(QStringLiteral("Trap information"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFont(DialogFont());
    // The main window's blue; the buttons' texts keep their own colour.
    PaintWith(this, kWindowBlue, palette().color(QPalette::WindowText).rgb());
    const DialogUnits du(font());
    setFixedSize(du.X(400), du.Y(220));

    const DialogList& list = *request_.list;
    ListTableModel::Binding binding{
        list.rows, list.select,
        [rows = list.rows](ListModel::Observer* observer) { rows->SetObserver(observer); }};
    model_ = new ListTableModel(std::move(binding), TrapColumns(), this);
    // The main window's status images: 0 the unread mark, 1 the not-alive icon.
    model_->SetImages(StatusImages());
    view_ = BuildView(this, model_);
    view_->setObjectName(Id(list.control));
    view_->setAccessibleName(QStringLiteral("Traps"));
    view_->setGeometry(du.Rect(7, 7, 386, 180));
    // A click beside the rows clears the selection, so it would mark nothing either.
    connect(view_, &QTableView::clicked, this, [this] { request_.list->click(); });
    connect(view_->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { request_.list->columnClick(column); });

    auto* ok = new DefaultButton(QStringLiteral("OK"), this);
    ok->setObjectName(Id(ControlId::TrapOk));
    ok->setGeometry(du.Rect(343, 196, 50, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] {
        if (RunButton(request_, ControlId::TrapOk, {}) == 0) {
            accept();
        }
    });

    auto* clearAll = new QPushButton(QStringLiteral("Clear all"), this);
    clearAll->setObjectName(Id(ControlId::TrapClearAll));
    clearAll->setGeometry(du.Rect(7, 196, 50, 14));
    connect(clearAll, &QPushButton::clicked, this,
            [this] { RunButton(request_, ControlId::TrapClearAll, {}); });
}

TrapInfoDialog::~TrapInfoDialog() = default;

}  // namespace vantelo
