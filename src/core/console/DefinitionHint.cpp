#include "console/DefinitionHint.h"

namespace vantelo {

namespace {

MessageBoxRequest HintBox() {
    return MessageBoxRequest{
        "No switch answered the discovery. The definition file define.ecf still holds the "
        "example values of the simulator, and switches answer only to their own device type "
        "and base port.\n\nWrite the definition file of your switches with\n"
        "    vantelo-mkdefine --device-type HEX8 --base-port HEX4\n"
        "(their device type in 8 and their base port in 4 hexadecimal digits), then start the "
        "console again.",
        "Information", BoxIcon::Information, BoxButtons::Ok, BoxOwner::MainWindow};
}

}  // namespace

DefinitionHint::~DefinitionHint() {
    timers_.Stop(wait_);
}

void DefinitionHint::DiscoverySent() {
    if (!armed_) {
        return;
    }
    timers_.Stop(wait_);
    wait_ = timers_.StartSingleShot(kAnswerWaitMs, [this] { Check(); });
}

void DefinitionHint::Check() {
    wait_ = kNoTimer;
    if (lists_.DiscoveryCount() != 0 || lists_.MonitorCount() != 0) {
        return;
    }
    armed_ = false;
    boxes_.Notify(HintBox());
}

}  // namespace vantelo
