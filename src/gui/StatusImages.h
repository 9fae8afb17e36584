#pragma once

#include <vector>

#include "gui/ListTableModel.h"

namespace vantelo {

// The small image list that the monitor list and the trap list share: 0 the unread-trap mark,
// 1 the not-alive icon.
std::vector<ListTableModel::StatusImage> StatusImages();

}  // namespace vantelo
