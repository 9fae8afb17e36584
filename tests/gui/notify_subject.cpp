// The subject of the notification check: the main window over three monitored in-memory agents
// (core-1, core-2, annex) while another window is the active one. core-1 falls silent for a
// minute of polling, then core-2 and annex send a flood of traps; the notifications go to
// whatever notification service the session bus has.

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <clocale>
#include <cstdio>

#include "gui/DesktopNotices.h"
#include "support/WindowHarness.h"

namespace {

using vantelo::test::WindowHarness;

void Pump(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

vantelo::test::AgentSettings Named(int n, const char* name) {
    vantelo::test::AgentSettings agent = vantelo::test::NumberedAgent(n);
    agent.systemName = name;
    return agent;
}

}  // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "C");
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: vantelo_notify_subject TRAPS\n");
        return 2;
    }
    const int traps = std::atoi(argv[1]);

    WindowHarness window;
    const vantelo::test::AgentSettings agents[] = {Named(1, "core-1"), Named(2, "core-2"),
                                                   Named(3, "annex")};
    std::vector<vantelo::DeviceRecord> monitored;
    for (const auto& agent : agents) {
        monitored.push_back(vantelo::test::StoredRecord(agent, WindowHarness::kDeviceTypeId));
        window.AddAgent(agent);
    }
    window.WriteMonitorFile(monitored);
    window.Start();

    // The operator works in another window.
    QWidget elsewhere;
    elsewhere.setWindowTitle(QStringLiteral("Elsewhere"));
    elsewhere.resize(200, 100);
    elsewhere.show();
    elsewhere.activateWindow();
    for (int tries = 0; tries < 100 && !elsewhere.isActiveWindow(); ++tries) {
        Pump(20);
    }
    if (window.dialog->isActiveWindow()) {
        std::fprintf(stderr, "notify_subject: the main window is still the active one\n");
        return 1;
    }

    window.agents[0]->silent = true;
    for (int tick = 0; tick < 12; ++tick) {
        window.clock.Advance(5000);
        window.network.Deliver();
    }
    Pump(500);

    // The flood: a hundred traps every 20 ms.
    for (int sent = 0; sent < traps; ++sent) {
        const auto& agent = agents[1 + sent % 2];
        window.network.Queue(WindowHarness::kBasePort + 1,
                             vantelo::Endpoint{agent.ip, WindowHarness::kAgentPort},
                             vantelo::test::TrapDatagram(agent, agent.ip, "Port 3 link down",
                                                         WindowHarness::kDeviceTypeId));
        window.network.Deliver();
        if (sent % 100 == 99) {
            Pump(20);
        }
    }
    Pump(vantelo::DesktopNotices::kTrapBurstMs * 2);
    std::printf("done\n");
    return 0;
}
