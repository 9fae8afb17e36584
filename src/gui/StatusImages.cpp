#include "gui/StatusImages.h"

#include "gui/controls/Images.h"

namespace vantelo {

std::vector<ListTableModel::StatusImage> StatusImages() {
    return {{IconOf(Image::UnreadTrap), QStringLiteral("Unread trap")},
            {IconOf(Image::NotAlive), QStringLiteral("Not alive")}};
}

}  // namespace vantelo
