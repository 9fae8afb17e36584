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
#include "RecordingUserInteraction.h"
#include "gui/ConsoleApp.h"
#include "gui/FirmwareUpgradeDialog.h"
#include "persistence/DefinitionWriter.h"
#include "support/ConsoleHarness.h"
#include "support/TftpAgent.h"

using namespace vantelo;
using vantelo::test::OnNextModal;

namespace {

constexpr uint32_t kDeviceTypeId = test::ConsoleHarness::kDeviceTypeId;

// The main window with one discovered agent, selected, that answers triggers and takes files.
struct Window {
    Window() {
        test::WriteBytes(dir.File("define.ecf"),
                         BuildDefinitionFile(kDeviceTypeId, test::ConsoleHarness::kBasePort));
        test::WriteBytes(dir.File("image.hex"), std::vector<uint8_t>(1300, 0x42));
        addresses.addresses = {{0x0A4D0001, 0xFFFF0000}};
        app = std::make_unique<ConsoleApp>(dir.Path(),
                                           PortChoices{&network, &clock, &clock, &ui, &addresses});
        app->Initialize();
        app->Window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&app->Window()));
        network.AddAgent(&agent);
        network.AddAgent(&trigger);
        network.AddAgent(&tftp);
        app->Engine().OnDiscovery();
        network.Deliver();
        QTableView* view = app->Window().DiscoveryView();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualRect(view->model()->index(0, 1)).center());
    }

    // Lets the virtual network and clock run for ms.
    void Run(int ms) {
        for (int elapsed = 0; elapsed < ms; elapsed += 10) {
            network.Deliver();
            clock.Advance(10);
        }
        network.Deliver();
    }

    test::TempDirectory dir;
    test::VirtualNetwork network;
    test::VirtualClock clock;
    test::RecordingUserInteraction ui;
    test::FixedAddressTable addresses;
    test::SimulatedAgent agent{test::NumberedAgent(1), kDeviceTypeId,
                               test::ConsoleHarness::kAgentPort};
    test::TriggerAnswer trigger{test::NumberedAgent(1), kDeviceTypeId};
    test::TftpAgent tftp{test::NumberedAgent(1).ip};
    std::unique_ptr<ConsoleApp> app;
};

template <typename T = QWidget>
T* Control(QWidget* dialog, int id) {
    T* control = dialog->findChild<T*>(QString::number(id));
    if (control == nullptr) {
        qWarning("no control %d", id);
    }
    return control;
}

QString Text(QWidget* dialog, int id) {
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
        QCOMPARE(Control<QLabel>(dialog, 1115)->text(), QStringLiteral("      Device IP"));
        QCOMPARE(Control<QLabel>(dialog, 1116)->text(), QStringLiteral("     Device Mac"));
        QCOMPARE(Control<QLabel>(dialog, 1119)->text(), QStringLiteral("      Upgrade State"));
        QCOMPARE(Text(dialog, 1060), QStringLiteral("10.77.0.2"));
        QCOMPARE(Text(dialog, 1061), QStringLiteral("000a1b000001"));
        QVERIFY(Control<QLineEdit>(dialog, 1060)->isReadOnly());
        QVERIFY(Control<QLineEdit>(dialog, 1073)->isReadOnly());
        QCOMPARE(Control<QLineEdit>(dialog, 1070)->echoMode(), QLineEdit::Password);
        QVERIFY(Control<QProgressBar>(dialog, 1130) != nullptr);
        for (int id : {1074, 1015, 2}) {
            QVERIFY(Control<QPushButton>(dialog, id) != nullptr);
        }
        // Enter in the password field presses no button; Escape does not cancel.
        QLineEdit* password = Control<QLineEdit>(dialog, 1070);
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
    QTest::mouseClick(Control<QPushButton>(&w.app->Window(), 1042), Qt::LeftButton);
    QVERIFY(checked);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

void TestUpgradeDialog::startWaitsForTheTrigger() {
    Window w;
    w.trigger.answer = false;
    w.ui.fileNames.push_back(w.dir.File("image.hex"));
    bool checked = false;
    OnNextModal([&](QWidget* dialog) {
        QTest::mouseClick(Control<QPushButton>(dialog, 1074), Qt::LeftButton);
        QCOMPARE(Text(dialog, 1045), QString::fromStdString(w.dir.File("image.hex")));
        QTest::keyClicks(Control<QLineEdit>(dialog, 1070), QStringLiteral("pw"));
        QPushButton* start = Control<QPushButton>(dialog, 1015);
        QTest::mouseClick(start, Qt::LeftButton);
        QCOMPARE(w.trigger.triggers.size(), size_t{1});
        QVERIFY(!start->isEnabled());
        w.Run(2000);
        QCOMPARE(Text(dialog, 1073), QStringLiteral("Trigger fail"));
        QVERIFY(start->isEnabled());
        checked = true;
        QTest::mouseClick(Control<QPushButton>(dialog, 2), Qt::LeftButton);
    });
    QTest::mouseClick(Control<QPushButton>(&w.app->Window(), 1042), Qt::LeftButton);
    QVERIFY(checked);
}

void TestUpgradeDialog::aWholeTransfer() {
    Window w;
    QStringList states;
    int progressAtEnd = -1;
    OnNextModal([&](QWidget* dialog) {
        auto* state = Control<QLineEdit>(dialog, 1073);
        QObject::connect(state, &QLineEdit::textChanged, [&](const QString& t) { states << t; });
        Control<QLineEdit>(dialog, 1045)->setText(QString::fromStdString(w.dir.File("image.hex")));
        QTest::keyClicks(Control<QLineEdit>(dialog, 1070), QStringLiteral("pw"));
        QTest::mouseClick(Control<QPushButton>(dialog, 1015), Qt::LeftButton);
        w.Run(2500);
        auto* progress = Control<QProgressBar>(dialog, 1130);
        progressAtEnd = progress->value();
        QCOMPARE(progress->maximum(), 1300);
        w.Run(5000);
    });
    QTest::mouseClick(Control<QPushButton>(&w.app->Window(), 1042), Qt::LeftButton);
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
        Control<QLineEdit>(dialog, 1045)->setText(QString::fromStdString(w.dir.File("image.hex")));
        QTest::keyClicks(Control<QLineEdit>(dialog, 1070), QStringLiteral("pw"));
        QTest::mouseClick(Control<QPushButton>(dialog, 1015), Qt::LeftButton);
        w.Run(2500);
        QCOMPARE(Text(dialog, 1073), QStringLiteral("Complete...1300/1300 bytes"));
        auto* cancel = Control<QPushButton>(dialog, 2);
        QVERIFY(!cancel->isEnabled());
        QTest::mouseClick(cancel, Qt::LeftButton);
        dialog->close();
        QVERIFY(dialog->isVisible());
        checked = true;
        w.Run(5000);
    });
    QTest::mouseClick(Control<QPushButton>(&w.app->Window(), 1042), Qt::LeftButton);
    QVERIFY(checked);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QVERIFY(w.app->Engine().Upgrading().Verification().IsRunning());
}

QTEST_MAIN(TestUpgradeDialog)
#include "tst_upgrade_dialog.moc"
