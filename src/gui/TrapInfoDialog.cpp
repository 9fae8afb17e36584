#include "gui/TrapInfoDialog.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableView>

#include "gui/ListTableModel.h"
#include "gui/QtDialogRunner.h"
#include "gui/StatusImages.h"
#include "gui/controls/ColorScheme.h"
#include "gui/controls/DefaultButton.h"
#include "gui/controls/DialogUnits.h"
#include "gui/controls/ListView.h"
#include "lists/ColumnTable.h"
#include "lists/ListModel.h"

namespace vantelo {

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
    model_ = new ListTableModel(std::move(binding), kTrapColumnTable, this);
    // The main window's status images: 0 the unread mark, 1 the not-alive icon.
    model_->SetImages(StatusImages());
    view_ = BuildListView(this, model_);
    // The time's nineteen characters need more than the column's 100 pixels at this font.
    FitColumnToText(view_, 1, QStringLiteral("00/00/0000 00:00:00"));
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
