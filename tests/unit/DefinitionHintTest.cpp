#include <gtest/gtest.h>

#include <string>

#include "console/DefinitionHint.h"
#include "persistence/DefinitionWriter.h"
#include "support/ConsoleHarness.h"

namespace vantelo::test {
namespace {

constexpr uint32_t kType = ConsoleHarness::kDeviceTypeId;

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

enum class Shipped { None, SameValues, OtherPort, OtherType };

struct HintCase {
    const char* name;
    Shipped shipped;
    bool agentAnswers;
    bool monitored;
    bool hint;
};

const HintCase kCases[] = {
    {"ShippedValuesAndNothingAnswers", Shipped::SameValues, false, false, true},
    {"NotInstalled", Shipped::None, false, false, false},
    {"OwnBasePort", Shipped::OtherPort, false, false, false},
    {"OwnDeviceType", Shipped::OtherType, false, false, false},
    {"ASwitchAnswers", Shipped::SameValues, true, false, false},
    {"AMonitorListIsKept", Shipped::SameValues, false, true, false},
};

class Hint : public ::testing::TestWithParam<HintCase> {
protected:
    // The console, told of the shipped file first.
    Console& Start(Shipped shipped) {
        if (shipped != Shipped::None) {
            uint32_t type = shipped == Shipped::OtherType ? kType + 1 : kType;
            uint16_t port = shipped == Shipped::OtherPort ? 0x1388 : ConsoleHarness::kBasePort;
            h.memory.Write(h.dir.File("shipped.ecf"), BuildDefinitionFile(type, port));
            h.shippedDefinition = h.dir.File("shipped.ecf");
        }
        return h.Start();
    }

    ConsoleHarness h;
};

TEST_P(Hint, IsShownOnceAfterAnUnansweredDiscoveryWithTheShippedValuesOnly) {
    const HintCase& c = GetParam();
    if (c.monitored) {
        h.WriteMonitorFile({StoredRecord(NumberedAgent(1), kType)});
    }
    SimulatedAgent agent(NumberedAgent(2), kType, ConsoleHarness::kAgentPort);
    if (c.agentAnswers) {
        h.network.AddAgent(&agent);
    }
    Console& console = Start(c.shipped);
    console.OnDiscovery();
    h.network.Deliver();
    h.clock.Advance(DefinitionHint::kAnswerWaitMs - 1);
    if (c.hint) {
        h.ui.ExpectBox(HintBox());
    }
    h.clock.Advance(1);
    // Once a run: the next discovery says nothing more.
    console.OnDiscovery();
    h.network.Deliver();
    h.clock.Advance(DefinitionHint::kAnswerWaitMs);
}

INSTANTIATE_TEST_SUITE_P(Definition, Hint, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<HintCase>& param) {
                             return std::string(param.param.name);
                         });

}  // namespace
}  // namespace vantelo::test
