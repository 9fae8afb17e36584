#pragma once

#include <QString>

class QTableView;
class QWidget;

namespace vantelo {

class ListTableModel;

// A list of the console (the discovery, monitor and trap lists): whole rows selected, several
// at once, no editing, no grid, the model's column widths, headings that sort on a click, and
// the standard colours whatever the window's own.
QTableView* BuildListView(QWidget* parent, ListTableModel* model);

// Widens column, never narrows it, so that a cell of sample's length is shown whole at the
// view's font.
void FitColumnToText(QTableView* view, int column, const QString& sample);

}  // namespace vantelo
