// Sends one file with the console's TFTP client, as the upgrade dialog would after an
// acknowledged trigger, on the Qt sockets and timers: for the end to end tests against other
// TFTP servers and for the benchmark. Prints one line: "complete MS", "device-not-found",
// "stalled" or "refused", MS being the time from the write request to the final acknowledgement.
// With --quit-at-final-ack it ends there instead of after the pause that follows.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "events/Boxes.h"
#include "monitor/SystemLog.h"
#include "platform/QtDatagramSocket.h"
#include "platform/QtTimers.h"
#include "platform/files/PosixFileSystem.h"
#include "protocol/Conversions.h"
#include "upgrade/TftpClient.h"

using namespace vantelo;

namespace {

// Boxes go to standard error; nobody answers them.
class PrintedBoxes : public UserInteraction {
public:
    BoxAnswer ShowMessage(const MessageBoxRequest& request) override {
        std::fprintf(stderr, "box: %s\n", request.text.c_str());
        return BoxAnswer::Ok;
    }
    bool AskFileName(const FileDialogRequest&, std::string*) override { return false; }
    int OpenUrl(const std::string&) override { return -1; }
    void OpenTextFile(const std::string&) override {}
};

class TransferResult : public TransferListener {
public:
    void ShowUpgradeState(const std::string& text) override {
        completeShown_ = text.rfind("Complete...", 0) == 0;
    }
    // Bytes sent drop to zero at the final acknowledgement, just after "Complete..." was shown.
    void ShowProgress(uint32_t bytesSent, uint32_t) override {
        if (bytesSent == 0 && completeShown_ && finalAckMs < 0) {
            finalAckMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
            if (quitAtFinalAck) {
                TransferEnded(TransferEnd::Complete);
            }
        }
    }
    void TransferEnded(TransferEnd end) override {
        switch (end) {
            case TransferEnd::Complete:
                std::printf("complete %.3f\n", finalAckMs);
                break;
            case TransferEnd::DeviceNotFound:
                std::printf("device-not-found\n");
                break;
            case TransferEnd::Stalled:
                std::printf("stalled\n");
                break;
            case TransferEnd::Refused:
                std::printf("refused\n");
                break;
        }
        result = end == TransferEnd::Complete ? 0 : 1;
        QCoreApplication::quit();
    }

    QElapsedTimer clock;
    bool quitAtFinalAck = false;
    double finalAckMs = -1;
    int result = 1;

private:
    bool completeShown_ = false;
};

int Usage() {
    std::fprintf(stderr,
                 "usage: tftp_send --to IP --file PATH [--log-dir DIR] [--quit-at-final-ack]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    uint32_t to = 0;
    std::string file;
    std::string logDirectory = std::filesystem::temp_directory_path().string();
    bool quitAtFinalAck = false;
    if (argc > 1 && std::strcmp(argv[argc - 1], "--quit-at-final-ack") == 0) {
        quitAtFinalAck = true;
        --argc;
    }
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--to") == 0 && TextToIp(argv[i + 1], &to) == 0) {
            continue;
        }
        if (std::strcmp(argv[i], "--file") == 0) {
            file = argv[i + 1];
        } else if (std::strcmp(argv[i], "--log-dir") == 0) {
            logDirectory = argv[i + 1];
        } else {
            return Usage();
        }
    }
    if (to == 0 || file.empty() || argc % 2 == 0 || file.size() > 127) {
        return Usage();
    }
    QtSocketFactory sockets;
    QtTimers timers;
    QtClock clock;
    PosixFileSystem files;
    PrintedBoxes ui;
    Boxes boxes(ui, timers);
    SystemLog log(files, boxes, ui, logDirectory);
    UpgradeContext upgrade;
    upgrade.SetDeviceIp(to);
    upgrade.SetFirmwarePath(file.c_str());
    TransferResult outcome;
    outcome.quitAtFinalAck = quitAtFinalAck;
    TftpClient client(TftpClient::Parts{sockets, timers, files, boxes, upgrade, log, clock},
                      outcome);
    outcome.clock.start();
    if (client.Start() != 0) {
        return 1;
    }
    app.exec();
    return outcome.result;
}
