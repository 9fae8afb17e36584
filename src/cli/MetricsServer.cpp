#include "cli/MetricsServer.h"

#include <QHostAddress>
#include <QHttpServerRequest>
#include <QHttpServerResponse>

namespace vantelo::cli {

namespace {

// The content type of the Prometheus text exposition format.
constexpr const char* kMetricsType = "text/plain; version=0.0.4; charset=utf-8";

}  // namespace

MetricsServer::MetricsServer(std::function<std::string()> render) : render_(std::move(render)) {
    server_.route("/metrics", QHttpServerRequest::Method::Get, [this] {
        std::string text = render_();
        return QHttpServerResponse(QByteArray(kMetricsType),
                                   QByteArray(text.data(), static_cast<qsizetype>(text.size())));
    });
}

int MetricsServer::Listen(const ListenAddress& address, std::string* error) {
    QHostAddress host;
    if (!host.setAddress(QString::fromStdString(address.host))) {
        *error = "--metrics: not an address: " + address.host;
        return -1;
    }
    if (server_.listen(host, address.port) == 0) {
        *error =
            "--metrics: cannot listen on " + address.host + " port " + std::to_string(address.port);
        return -1;
    }
    return 0;
}

}  // namespace vantelo::cli
