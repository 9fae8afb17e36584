#include "cli/EventWait.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace vantelo::cli {

namespace {

constexpr int kCheckMs = 20;

}  // namespace

bool RunUntil(const std::function<bool()>& done, int timeoutMs) {
    if (done()) {
        return true;
    }
    QEventLoop loop;
    QElapsedTimer elapsed;
    elapsed.start();
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done() || (timeoutMs != kNoLimit && elapsed.elapsed() >= timeoutMs)) {
            loop.quit();
        }
    });
    check.start(kCheckMs);
    loop.exec();
    return done();
}

void RunFor(int ms) {
    RunUntil([] { return false; }, ms);
}

}  // namespace vantelo::cli
