#pragma once

#include <QHttpServer>
#include <functional>
#include <string>

#include "cli/ExporterOptions.h"

namespace vantelo::cli {

// Serves the metrics at /metrics over HTTP, on the engine's thread: each scrape reads the
// engine's state between two of its events. Other paths get Qt's 404.
class MetricsServer {
public:
    // render makes the text of one scrape.
    explicit MetricsServer(std::function<std::string()> render);

    // Listens on the address: 0, or -1 with the reason.
    int Listen(const ListenAddress& address, std::string* error);

private:
    std::function<std::string()> render_;
    QHttpServer server_;
};

}  // namespace vantelo::cli
