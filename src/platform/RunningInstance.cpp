#include "platform/RunningInstance.h"

#include <unistd.h>
#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>

namespace vantelo {

namespace {

constexpr int kConnectWaitMs = 500;

}  // namespace

RunningInstance::RunningInstance(const std::string& configDirectory) {
    const QString canonical = QDir(QString::fromStdString(configDirectory)).canonicalPath();
    const QByteArray digest =
        QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    name_ = QStringLiteral("vantelo-%1-%2").arg(getuid()).arg(QString::fromLatin1(digest));
}

bool RunningInstance::AskToShow() const {
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(kConnectWaitMs)) {
        return false;
    }
    socket.write("show\n");
    return socket.waitForBytesWritten(kConnectWaitMs);
}

void RunningInstance::Listen(std::function<void()> onShow) {
    onShow_ = std::move(onShow);
    // Only the operator may ask; a name left by a console that crashed is taken over.
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_.listen(name_)) {
        QLocalServer::removeServer(name_);
        server_.listen(name_);
    }
    QObject::connect(&server_, &QLocalServer::newConnection, &server_, [this] {
        while (QLocalSocket* peer = server_.nextPendingConnection()) {
            peer->deleteLater();
            onShow_();
        }
    });
}

}  // namespace vantelo
