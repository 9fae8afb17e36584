#include "platform/QtAddressTable.h"

#include <QNetworkInterface>
#include <algorithm>

namespace vantelo {

int QtAddressTable::Read(std::vector<InterfaceAddress>* addresses) {
    addresses->clear();
    for (const QNetworkInterface& iface : QNetworkInterface::allInterfaces()) {
        for (const QNetworkAddressEntry& entry : iface.addressEntries()) {
            if (entry.ip().protocol() != QAbstractSocket::IPv4Protocol) {
                continue;
            }
            const InterfaceAddress found{entry.ip().toIPv4Address(),
                                         entry.netmask().toIPv4Address()};
            const bool known = std::any_of(
                addresses->begin(), addresses->end(), [&found](const InterfaceAddress& a) {
                    return a.address == found.address && a.mask == found.mask;
                });
            if (!known) {
                addresses->push_back(found);
            }
        }
    }
    return 0;
}

}  // namespace vantelo
