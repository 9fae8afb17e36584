#include "platform/QtNetworkInterfaces.h"

#include <QNetworkInterface>

namespace vantelo {

std::vector<NetworkInterface> QtNetworkInterfaces::Usable() {
    std::vector<NetworkInterface> usable;
    for (const QNetworkInterface& iface : QNetworkInterface::allInterfaces()) {
        const QNetworkInterface::InterfaceFlags flags = iface.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) ||
            flags.testFlag(QNetworkInterface::IsLoopBack) ||
            !flags.testFlag(QNetworkInterface::CanBroadcast)) {
            continue;
        }
        for (const QNetworkAddressEntry& entry : iface.addressEntries()) {
            if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol) {
                usable.push_back(NetworkInterface{iface.index(), iface.name().toStdString(),
                                                  entry.ip().toIPv4Address(),
                                                  entry.netmask().toIPv4Address()});
                break;
            }
        }
    }
    return usable;
}

}  // namespace vantelo
