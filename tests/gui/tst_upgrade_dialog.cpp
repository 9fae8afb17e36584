// The Firmware Upgrade dialog on the real engine and in-memory ports: its controls, the keys it
// keeps from its buttons, Start held disabled while the trigger waits, and a whole transfer with
// its state text and progress bar.

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <memory>

#include "GuiTestSupport.h"
#include "gui/ConsoleApp.h"
#include "gui/FirmwareUpgradeDialog.h"
#include "support/TftpAgent.h"
#include "support/WindowHarness.h"

using namespace vantelo;
using vantelo::test::OnNextModal;

namespace {

// The main window with one discovered agent, selected, that answers triggers and takes files.
struct Window : test::WindowHarness {
    Window() {
        WriteFile("image.hex", std::vector<uint8_t>(1300, 0x42));
        addresses.addresses = {{0x0A4D0001, 0xFFFF0000}};
        Start();
        network.AddAgent(&agent);
        network.AddAgent(&trigger);
        network.AddAgent(&tftp);
        console->OnDiscovery();
        network.Deliver();
        QTableView* view = dialog->DiscoveryView();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualRect(view->model()->index(0, 1)).center());
    }
    // The console goes before the agents it may still talk to.
    ~Window() { app.reset(); }

    // Lets the virtual network and clock run for ms.
    void Run(int ms) {
        for (int elapsed = 0; elapsed < ms; elapsed += 10) {
            network.Deliver();
            clock.Advance(10);
        }
        network.Deliver();
    }

    test::SimulatedAgent agent{test::NumberedAgent(1), kDeviceTypeId, kAgentPort};
    test::TriggerAnswer trigger{test::NumberedAgent(1), kDeviceTypeId};
    test::TftpAgent tftp{test::NumberedAgent(1).ip};
};

template <typename T = QWidget>
T* Control(QWidget* dialog, ControlId id) {
    return test::Find<T>(dialog, id);
}

QString Text(QWidget* dialog, ControlId id) {
    return Control<QLineEdit>(dialog, id)->text();
}

}  // namespace

class TestUpgradeDialog : public QObject {
    Q_OBJECT

private slots:
    void controlsAndKeys();
    void startWaitsForTheTrigger();
    void aWholeTransfer();
    void cancelAndCloseAreRefusedDuringThePause();
};

void TestUpgradeDialog::controlsAndKeys() {
    Window w;
    bool checked = false;
    OnNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<FirmwareUpgradeDialog*>(modal);
        QVERIFY(dialog != nullptr);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Firmware Upgrade"));
        QCOMPARE(dialog->windowModality(), Qt::WindowModal);
        QCOMPARE(dialog->parentWidget(), &w.app->Window());
        QCOMPARE(Control<QLabel>(dialog, ControlId::UpgradeDeviceIpLabel)->text(),
                 QStringLiteral("      Device IP"));
        QCOMPARE(Control<QLabel>(dialog, ControlId::UpgradeDeviceMacLabel)->text(),
                 QStringLiteral("     Device Mac"));
        QCOMPARE(Control<QLabel>(dialog, ControlId::UpgradeStateLabel)->text(),
                 QStringLiteral("      Upgrade State"));
        QCOMPARE(Text(dialog, ControlId::UpgradeDeviceIp), QStringLiteral("10.77.0.2"));
        QCOMPARE(Text(dialog, ControlId::UpgradeDeviceMac), QStringLiteral("020a1b000001"));
        QVERIFY(Control<QLineEdit>(dialog, ControlId::UpgradeDeviceIp)->isReadOnly());
        QVERIFY(Control<QLineEdit>(dialog, ControlId::UpgradeState)->isReadOnly());
        QCOMPARE(Control<QLineEdit>(dialog, ControlId::UpgradePassword)->echoMode(),
                 QLineEdit::Password);
        QVERIFY(Control<QProgressBar>(dialog, ControlId::UpgradeProgress) != nullptr);
        for (ControlId id :
             {ControlId::UpgradeBrowse, ControlId::UpgradeStart, ControlId::UpgradeCancel}) {
            QVERIFY(Control<QPushButton>(dialog, id) != nullptr);
        }
        // Enter in the password field presses no button; Escape does not cancel.
        QLineEdit* password = Control<QLineEdit>(dialog, ControlId::UpgradePassword);
        password->setFocus();
        QTest::keyClicks(password, QStringLiteral("pw"));
        QTest::keyClick(password, Qt::Key_Return);
        QTest::keyClick(password, Qt::Key_Escape);
        QTest::keyClick(dialog, Qt::Key_Escape);
        QVERIFY(dialog->isVisible());
        QVERIFY(w.ui.fileDialogs.empty());
        QVERIFY(w.trigger.triggers.empty());
        checked = true;
        dialog->close();
    });
    QTest::mouseClick(w.Control<QPushButton>(ControlId::FirmwareUpgrade), Qt::LeftButton);
    QVERIFY(checked);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

void TestUpgradeDialog::startWaitsForTheTrigger() {
    Window w;
    w.trigger.answer = false;
    w.ui.fileNames.push_back(w.dir.File("image.hex"));
    bool checked = false;
    OnNextModal([&](QWidget* dialog) {
        QTest::mouseClick(Control<QPushButton>(dialog, ControlId::UpgradeBrowse), Qt::LeftButton);
        QCOMPARE(Text(dialog, ControlId::UpgradeFirmwarePath),
                 QString::fromStdString(w.dir.File("image.hex")));
        QTest::keyClicks(Control<QLineEdit>(dialog, ControlId::UpgradePassword),
                         QStringLiteral("pw"));
        QPushButton* start = Control<QPushButton>(dialog, ControlId::UpgradeStart);
        QTest::mouseClick(start, Qt::LeftButton);
        QCOMPARE(w.trigger.triggers.size(), size_t{1});
        QVERIFY(!start->isEnabled());
        w.Run(2000);
        QCOMPARE(Text(dialog, ControlId::UpgradeState), QStringLiteral("Trigger fail"));
        QVERIFY(start->isEnabled());
        checked = true;
        QTest::mouseClick(Control<QPushButton>(dialog, ControlId::UpgradeCancel), Qt::LeftButton);
    });
    QTest::mouseClick(w.Control<QPushButton>(ControlId::FirmwareUpgrade), Qt::LeftButton);
    QVERIFY(checked);
}

void TestUpgradeDialog::aWholeTransfer() {
    Window w;
    QStringList states;
    int progressAtEnd = -1;
    OnNextModal([&](QWidget* dialog) {
        auto* state = Control<QLineEdit>(dialog, ControlId::UpgradeState);
        QObject::connect(state, &QLineEdit::textChanged, [&](const QString& t) { states << t; });
        Control<QLineEdit>(dialog, ControlId::UpgradeFirmwarePath)
            ->setText(QString::fromStdString(w.dir.File("image.hex")));
        QTest::keyClicks(Control<QLineEdit>(dialog, ControlId::UpgradePassword),
                         QStringLiteral("pw"));
        QTest::mouseClick(Control<QPushButton>(dialog, ControlId::UpgradeStart), Qt::LeftButton);
        w.Run(2500);
        auto* progress = Control<QProgressBar>(dialog, ControlId::UpgradeProgress);
        progressAtEnd = progress->value();
        QCOMPARE(progress->maximum(), 1300);
        w.Run(5000);
    });
    QTest::mouseClick(w.Control<QPushButton>(ControlId::FirmwareUpgrade), Qt::LeftButton);
    QCOMPARE(states,
             (QStringList{QStringLiteral("Wait...."), QStringLiteral("Upgrade...1024/1300 bytes"),
                          QStringLiteral("Complete...1300/1300 bytes")}));
    // Bytes sent are zeroed once the last block is acknowledged.
    QCOMPARE(progressAtEnd, 0);
    QCOMPARE(w.tftp.stored, std::vector<uint8_t>(1300, 0x42));
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

// The pause after the final acknowledgement belongs to the finished transfer: Cancel is disabled
// and neither it nor the close box ends the dialog; the dialog closes itself after the pause, and
// the verification runs.
void TestUpgradeDialog::cancelAndCloseAreRefusedDuringThePause() {
    Window w;
    bool checked = false;
    OnNextModal([&](QWidget* dialog) {
        Control<QLineEdit>(dialog, ControlId::UpgradeFirmwarePath)
            ->setText(QString::fromStdString(w.dir.File("image.hex")));
        QTest::keyClicks(Control<QLineEdit>(dialog, ControlId::UpgradePassword),
                         QStringLiteral("pw"));
        QTest::mouseClick(Control<QPushButton>(dialog, ControlId::UpgradeStart), Qt::LeftButton);
        w.Run(2500);
        QCOMPARE(Text(dialog, ControlId::UpgradeState),
                 QStringLiteral("Complete...1300/1300 bytes"));
        auto* cancel = Control<QPushButton>(dialog, ControlId::UpgradeCancel);
        QVERIFY(!cancel->isEnabled());
        QTest::mouseClick(cancel, Qt::LeftButton);
        dialog->close();
        QVERIFY(dialog->isVisible());
        checked = true;
        w.Run(5000);
    });
    QTest::mouseClick(w.Control<QPushButton>(ControlId::FirmwareUpgrade), Qt::LeftButton);
    QVERIFY(checked);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QVERIFY(w.app->Engine().Upgrading().Verification().IsRunning());
}

QTEST_MAIN(TestUpgradeDialog)
#include "tst_upgrade_dialog.moc"
