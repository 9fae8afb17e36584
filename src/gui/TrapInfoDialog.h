#pragma once

#include <QDialog>

#include "ports/DialogRunner.h"

class QTableView;

namespace vantelo {

class ListTableModel;

// "Trap information" (template 135): the kept traps in list 1014 with the main window's status
// images, OK and "Clear all". A click on a row, a click on a column heading and Clear all go to
// the engine, which keeps the rows.
class TrapInfoDialog : public QDialog {
    Q_OBJECT
public:
    explicit TrapInfoDialog(const DialogRequest& request, QWidget* parent = nullptr);
    ~TrapInfoDialog() override;

    QTableView* List() const { return view_; }

private:
    const DialogRequest& request_;
    ListTableModel* model_ = nullptr;
    QTableView* view_ = nullptr;
};

}  // namespace vantelo
