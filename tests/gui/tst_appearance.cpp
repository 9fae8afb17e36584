// The console's look on a grab of every window: the colours of each dialog, the frame strips,
// the default-button border, the pictures at one and two device pixels per pixel, the font,
// texts that fit their controls, and what each window tells a screen reader.

#include <QAccessible>
#include <QFontInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTableView>
#include <map>

#include "GuiTestSupport.h"
#include "WindowGallery.h"
#include "gui/QtUserInteraction.h"
#include "gui/controls/ColorScheme.h"
#include "gui/controls/DialogUnits.h"
#include "gui/controls/Images.h"

Q_DECLARE_METATYPE(vantelo::Image)

using namespace vantelo;
using namespace vantelo::test;

namespace {

// The frame strips of the main window and the panels of the upgrade dialog: empty statics that
// only paint.
const QSet<QString> kMainStrips = {"1094", "1095", "1096", "1097", "1099", "1100",
                                   "1101", "1102", "1105", "1106", "1107", "1108",
                                   "1109", "1110", "1111", "1112", "1113"};
const QSet<QString> kUpgradePanels = {"1094", "1095", "1096", "1097", "1099", "1100",
                                      "1101", "1102", "1105", "1106", "1124", "1125"};

// The colour a window shows at a point of one of its controls, taken from a grab of the window.
QRgb Shown(const QImage& grab, const QWidget* window, const QWidget* control, QPoint at) {
    const QPoint inWindow = control->mapTo(window, at);
    const qreal ratio = grab.devicePixelRatio();
    return grab.pixel(static_cast<int>(inWindow.x() * ratio),
                      static_cast<int>(inWindow.y() * ratio)) &
           0xFFFFFF;
}

QRgb Centre(const QImage& grab, const QWidget* window, const QWidget* control) {
    return Shown(grab, window, control, control->rect().center());
}

QString Rgb(QRgb colour) {
    return QStringLiteral("(%1, %2, %3)").arg(qRed(colour)).arg(qGreen(colour)).arg(qBlue(colour));
}

#define COMPARE_COLOUR(actual, expected) QCOMPARE(Rgb(actual), Rgb(expected))

// The darkest pixel of a control on the window's grab: its text's colour where the strokes are
// solid.
QRgb Darkest(const QImage& grab, const QWidget* window, const QWidget* control) {
    QRgb darkest = kWhite;
    for (int y = 0; y < control->height(); ++y) {
        for (int x = 0; x < control->width(); ++x) {
            const QRgb pixel = Shown(grab, window, control, QPoint(x, y));
            if (qGray(pixel) < qGray(darkest)) {
                darkest = pixel;
            }
        }
    }
    return darkest;
}

// The colour key of a control: its object name.
QString Key(ControlId id, const char* part = "") {
    return Id(id) + QString::fromLatin1(part);
}

// A sibling stacked above the control that fills its background over the given rectangle (in
// the parent's coordinates), hiding part of the control's text.
const QWidget* PaintedOver(const QWidget* control, QRect text) {
    const QObjectList& siblings = control->parentWidget()->children();
    for (qsizetype i = siblings.indexOf(control) + 1; i < siblings.size(); ++i) {
        const auto* sibling = qobject_cast<const QWidget*>(siblings[i]);
        if (sibling != nullptr && sibling->isVisible() && sibling->autoFillBackground() &&
            sibling->geometry().intersects(text)) {
            return sibling;
        }
    }
    return nullptr;
}

// Every text the window shows on a label, a button, a group box's title or a list heading,
// with the room its control gives it; empty when it fits.
QStringList TextsThatDoNotFit(const QWidget* window) {
    QStringList misfits;
    const auto check = [&misfits](const QWidget* control, const QString& text, int room,
                                  int height) {
        const QFontMetrics metrics(control->font());
        const int width = metrics.horizontalAdvance(text);
        if (width > room || metrics.height() > height) {
            misfits << QStringLiteral("%1 \"%2\": %3x%4 in %5x%6")
                           .arg(control->objectName(), text)
                           .arg(width)
                           .arg(metrics.height())
                           .arg(room)
                           .arg(height);
        }
    };
    for (const QLabel* label : window->findChildren<QLabel*>()) {
        if (!label->text().isEmpty() && label->isVisible()) {
            check(label, label->text(), label->contentsRect().width(),
                  label->contentsRect().height());
            if (const QWidget* over = PaintedOver(label, label->geometry())) {
                misfits << QStringLiteral("%1 \"%2\": under %3")
                               .arg(label->objectName(), label->text(), over->objectName());
            }
        }
    }
    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (button->text().isEmpty() || button->parent() == nullptr ||
            qobject_cast<const QHeaderView*>(button->parentWidget()) != nullptr) {
            continue;
        }
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const bool radio = qobject_cast<const QRadioButton*>(button) != nullptr;
        const QRect contents = button->style()->subElementRect(
            radio ? QStyle::SE_RadioButtonContents : QStyle::SE_PushButtonContents, &option,
            button);
        check(button, button->text(), contents.width(), contents.height());
    }
    // A list's cells: their text between the delegate's margins, in the column's width.
    for (const QTableView* list : window->findChildren<QTableView*>()) {
        const int margins =
            2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
        const QAbstractItemModel* model = list->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            for (int column = 0; column < model->columnCount(); ++column) {
                const QString text = model->index(row, column).data().toString();
                if (!text.isEmpty()) {
                    check(list, text, list->columnWidth(column) - margins, list->rowHeight(row));
                }
            }
        }
    }
    for (const QGroupBox* group : window->findChildren<QGroupBox*>()) {
        if (!group->title().isEmpty()) {
            check(group, group->title(), group->width() - 16, group->height());
            const QFontMetrics metrics(group->font());
            const QRect title(group->pos(), QSize(metrics.horizontalAdvance(group->title()) + 8,
                                                  metrics.height()));
            if (const QWidget* over = PaintedOver(group, title)) {
                misfits << QStringLiteral("%1 \"%2\": under %3")
                               .arg(group->objectName(), group->title(), over->objectName());
            }
        }
    }
    for (const QTableView* view : window->findChildren<QTableView*>()) {
        const QHeaderView* header = view->horizontalHeader();
        const int margin = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin);
        for (int column = 0; column < header->count(); ++column) {
            check(header, view->model()->headerData(column, Qt::Horizontal).toString(),
                  header->sectionSize(column) - margin, header->height());
        }
    }
    return misfits;
}

// Every control of the window that a screen reader would announce without a name.
QStringList Unnamed(QAccessibleInterface* node, const QSet<QString>& decorations) {
    QStringList unnamed;
    static const QSet<QAccessible::Role> kNamed = {
        QAccessible::PushButton,   QAccessible::RadioButton, QAccessible::CheckBox,
        QAccessible::EditableText, QAccessible::StaticText,  QAccessible::Graphic,
        QAccessible::Table,        QAccessible::ProgressBar, QAccessible::Grouping,
        QAccessible::ColumnHeader, QAccessible::Dialog,      QAccessible::MenuItem};
    const QObject* object = node->object();
    // The trap list's last column is a blank filler under a blank heading.
    const bool filler = node->role() == QAccessible::ColumnHeader &&
                        node->text(QAccessible::Name) == QStringLiteral(" ");
    const bool decoration =
        filler || (object != nullptr && decorations.contains(object->objectName()));
    if (kNamed.contains(node->role()) && !decoration &&
        node->text(QAccessible::Name).trimmed().isEmpty()) {
        unnamed << QStringLiteral("%1 (role %2)")
                       .arg(object != nullptr ? object->objectName() : QStringLiteral("?"))
                       .arg(static_cast<int>(node->role()));
    }
    for (int i = 0; i < node->childCount(); ++i) {
        if (QAccessibleInterface* child = node->child(i)) {
            unnamed << Unnamed(child, decorations);
        }
    }
    return unnamed;
}

QAccessibleInterface* Accessible(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

}  // namespace

class TestAppearance : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void mainWindowColours();
    void dialogColours();
    void defaultButtonBorder();
    void picturesAtEachPixelRatio_data();
    void picturesAtEachPixelRatio();
    void dialogFont();
    void windowIconForTheWindowManager();
    void textsFitTheirControls();
    void aboutBox();
    void accessibleNames();
    void listsExposeHeadersAndCells();
    void messageBoxExposesItsText();

private:
    std::unique_ptr<WindowGallery> gallery_;
    // Each dialog's grab and the names of its controls, as shown by the gallery.
    std::map<QString, QImage> grabs_;
    std::map<QString, QStringList> misfits_;
    std::map<QString, QStringList> unnamed_;
    std::map<QString, std::map<QString, QRgb>> colours_;
    std::map<QString, QStringList> texts_;
};

void TestAppearance::initTestCase() {
    QAccessible::setActive(true);
    gallery_ = std::make_unique<WindowGallery>();
    gallery_->VisitDialogs([this](const QString& name, QDialog* dialog) {
        const QImage grab = dialog->grab().toImage();
        grabs_[name] = grab;
        misfits_[name] = TextsThatDoNotFit(dialog);
        unnamed_[name] = Unnamed(Accessible(dialog), kUpgradePanels);
        auto& colours = colours_[name];
        colours["background"] = Shown(grab, dialog, dialog, QPoint(2, 2));
        for (QWidget* control : dialog->findChildren<QWidget*>()) {
            if (!control->objectName().isEmpty() && control->parentWidget() == dialog) {
                // Inside the control's frame and before its text.
                colours[control->objectName()] = Shown(grab, dialog, control, QPoint(3, 3));
                // Thin panels, and panels whose middle a label covers, show at their corner.
                colours[control->objectName() + "/corner"] =
                    Shown(grab, dialog, control, QPoint(1, 1));
            }
        }
        if (name == QStringLiteral("configuration-setting")) {
            for (const ControlId id : {ControlId::ConfigDhcpEnable, ControlId::ConfigDhcpDisable}) {
                auto* radio = Find<QRadioButton>(dialog, id);
                const QString key = Key(id);
                colours[key + "/background"] =
                    Shown(grab, dialog, radio, QPoint(radio->width() - 2, 1));
                colours[key + "/text"] = Darkest(grab, dialog, radio);
            }
        }
        if (name == QStringLiteral("firmware-upgrade")) {
            for (const ControlId id :
                 {ControlId::UpgradeDeviceGroup, ControlId::UpgradeSettingGroup}) {
                const auto* group = Find(dialog, id);
                // Inside the group's line, between its grey panels and its fields.
                colours[Key(id, "/inside")] =
                    Shown(grab, dialog, group, QPoint(group->width() - 3, group->height() / 2));
            }
        }
        if (name == QStringLiteral("trap-information")) {
            const auto* traps = Find<QTableView>(dialog, ControlId::TrapList);
            for (int row = 0; row < traps->model()->rowCount(); ++row) {
                texts_[name] << Accessible(const_cast<QTableView*>(traps))
                                    ->tableInterface()
                                    ->cellAt(row, 0)
                                    ->text(QAccessible::Name);
            }
        }
        if (name == QStringLiteral("about")) {
            for (const ControlId id :
                 {ControlId::AboutProgram, ControlId::AboutProtocol, ControlId::AboutCopyright}) {
                texts_[name] << Find<QLabel>(dialog, id)->text();
            }
        }
    });
}

void TestAppearance::mainWindowColours() {
    MainWindow& main = gallery_->Main();
    const QImage grab = main.grab().toImage();
    // Every strip is the strips' grey, exactly, over whatever lies under it.
    for (const QString& id : kMainStrips) {
        const QWidget* strip = main.findChild<QWidget*>(id);
        QVERIFY2(strip != nullptr, qPrintable(id));
        COMPARE_COLOUR(Centre(grab, &main, strip), kStripGrey);
    }
    // The window and its other statics are window blue: the client beside the menu, a group
    // box's inside, a picture's transparent corner, a button's surroundings.
    const QWidget* client = main.MonitorView()->parentWidget();
    COMPARE_COLOUR(Shown(grab, &main, client, QPoint(2, client->height() - 2)), kWindowBlue);
    const DialogUnits du(client->font());
    COMPARE_COLOUR(Shown(grab, &main, client, du.Point(16, 140)), kWindowBlue);
    const auto* arrow = [&main] {
        for (QLabel* label : main.findChildren<QLabel*>()) {
            if (label->accessibleName() == QStringLiteral("Down arrow")) {
                return label;
            }
        }
        return static_cast<QLabel*>(nullptr);
    }();
    QVERIFY(arrow != nullptr);
    COMPARE_COLOUR(Shown(grab, &main, arrow, QPoint(0, 0)), kWindowBlue);
    COMPARE_COLOUR(Shown(grab, &main, client, du.Point(300, 330)), kWindowBlue);
    // The lists keep the standard white.
    QCOMPARE(main.DiscoveryView()->viewport()->palette().color(QPalette::Base).rgb(), kWhite);
}

void TestAppearance::dialogColours() {
    QCOMPARE(colours_.size(), size_t{6});
    // The trap dialog is window blue; the others are white.
    COMPARE_COLOUR(colours_["trap-information"]["background"], kWindowBlue);
    for (const char* name :
         {"remote-ip", "configuration-setting", "password-change", "about", "firmware-upgrade"}) {
        QVERIFY2(colours_.count(name) == 1, name);
        COMPARE_COLOUR(colours_[name]["background"], kWhite);
    }
    // Labels: black on white, the upgrade dialog's on panel grey but for Upgrade State.
    auto& configuration = colours_["configuration-setting"];
    for (const ControlId id : {ControlId::ConfigDhcpEnable, ControlId::ConfigDhcpDisable}) {
        COMPARE_COLOUR(configuration[Key(id, "/background")], kWhite);
        // Black where the strokes are solid, give or take the glyphs' smoothing.
        const QRgb text = configuration[Key(id, "/text")];
        QVERIFY2(qRed(text) == qGreen(text) && qGreen(text) == qBlue(text) && qRed(text) < 16,
                 qPrintable(Rgb(text)));
    }
    auto& upgrade = colours_["firmware-upgrade"];
    COMPARE_COLOUR(upgrade[Key(ControlId::UpgradeStateLabel)], kWhite);
    for (const ControlId id :
         {ControlId::UpgradeDeviceIpLabel, ControlId::UpgradeDeviceMacLabel,
          ControlId::UpgradeFirmwarePathLabel, ControlId::UpgradePasswordLabel}) {
        COMPARE_COLOUR(upgrade[Key(id)], kPanelGrey);
    }
    for (const QString& id : kUpgradePanels) {
        COMPARE_COLOUR(upgrade[id + "/corner"], kPanelGrey);
    }
    COMPARE_COLOUR(upgrade[Key(ControlId::UpgradeDeviceGroup, "/inside")], kWhite);
    COMPARE_COLOUR(upgrade[Key(ControlId::UpgradeSettingGroup, "/inside")], kWhite);
    // Fields, read-only or not, keep the standard white base.
    for (const ControlId id :
         {ControlId::UpgradeFirmwarePath, ControlId::UpgradeDeviceIp, ControlId::UpgradeDeviceMac,
          ControlId::UpgradePassword, ControlId::UpgradeState}) {
        COMPARE_COLOUR(upgrade[Key(id)], kWhite);
    }
}

void TestAppearance::defaultButtonBorder() {
    MainWindow& main = gallery_->Main();
    const QImage grab = main.grab().toImage();
    for (const ControlId id : {ControlId::Discovery, ControlId::Exit}) {
        const QWidget* button = Find(&main, id);
        const int right = button->width() - 1;
        const int bottom = button->height() - 1;
        for (const QPoint at :
             {QPoint(0, 0), QPoint(right, bottom), QPoint(right / 2, 0), QPoint(0, bottom / 2)}) {
            COMPARE_COLOUR(Shown(grab, &main, button, at), kBlack);
        }
        QVERIFY(Shown(grab, &main, button, QPoint(right / 2, bottom / 2 - 4)) != kBlack);
    }
    // The settings dialogs' buttons are plain: no black line around them.
    const QImage& configuration = grabs_["configuration-setting"];
    QVERIFY(!configuration.isNull());
    const QColor corner = configuration.pixelColor(configuration.width() / 4, 0);
    QVERIFY(corner.rgb() != kBlack);
}

void TestAppearance::picturesAtEachPixelRatio_data() {
    QTest::addColumn<Image>("image");
    QTest::addColumn<QSize>("size");
    QTest::newRow("application icon") << Image::AppIcon << QSize(32, 32);
    QTest::newRow("down arrow") << Image::DownArrow << QSize(18, 20);
    QTest::newRow("green disc") << Image::TrapGreen << QSize(16, 16);
    QTest::newRow("red disc") << Image::TrapRed << QSize(16, 16);
    QTest::newRow("unread trap") << Image::UnreadTrap << QSize(16, 16);
    QTest::newRow("not alive") << Image::NotAlive << QSize(16, 16);
    QTest::newRow("monitor caption") << Image::MonitorCaption << QSize(96, 16);
    QTest::newRow("discovery caption") << Image::DiscoveryCaption << QSize(96, 16);
    QTest::newRow("tools caption") << Image::ToolsCaption << QSize(96, 16);
}

void TestAppearance::picturesAtEachPixelRatio() {
    QFETCH(Image, image);
    QFETCH(QSize, size);
    const QPixmap one = Picture(image, 1.0);
    const QPixmap two = Picture(image, 2.0);
    QCOMPARE(one.deviceIndependentSize().toSize(), size);
    QCOMPARE(two.deviceIndependentSize().toSize(), size);
    QCOMPARE(two.size(), size * 2);
    // Drawn, not empty: some pixel is opaque.
    const QImage pixels = one.toImage();
    bool opaque = false;
    for (int y = 0; y < pixels.height() && !opaque; ++y) {
        for (int x = 0; x < pixels.width() && !opaque; ++x) {
            opaque = qAlpha(pixels.pixel(x, y)) == 255;
        }
    }
    QVERIFY(opaque);
    // Rendered again at twice the pixels rather than blown up: sharper than the 1x picture scaled.
    const QImage blownUp = pixels.scaled(size * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    QVERIFY(two.toImage().convertToFormat(blownUp.format()) != blownUp);
    // As an icon, a square picture comes in every size a window manager or a list asks for.
    if (size.width() == size.height()) {
        const QList<QSize> sizes = IconOf(image).availableSizes();
        QVERIFY(sizes.contains(QSize(16, 16)) && sizes.contains(QSize(128, 128)));
    }
}

void TestAppearance::dialogFont() {
    const QFontInfo font(DialogFont());
    QVERIFY2(font.family() == QStringLiteral("Arial") ||
                 font.family() == QStringLiteral("Liberation Sans"),
             qPrintable(font.family()));
    QCOMPARE(font.pixelSize(), 11);
    QCOMPARE(QFontInfo(gallery_->Main().DiscoveryView()->parentWidget()->font()).family(),
             font.family());
}

// Minimised, the window is what the window manager draws for it: the console's icon, at the sizes
// task bars and switchers ask for, on the main window and on every dialog.
void TestAppearance::windowIconForTheWindowManager() {
    const QImage expected = Picture(Image::AppIcon).toImage();
    for (const QIcon& icon : {gallery_->Main().windowIcon(), QApplication::windowIcon()}) {
        QCOMPARE(icon.pixmap(QSize(32, 32)).toImage().convertToFormat(expected.format()), expected);
        QVERIFY(icon.availableSizes().contains(QSize(128, 128)));
    }
}

void TestAppearance::textsFitTheirControls() {
    QCOMPARE(misfits_.size(), size_t{6});
    for (const auto& [name, misfits] : misfits_) {
        QVERIFY2(misfits.isEmpty(), qPrintable(name + ": " + misfits.join(QStringLiteral("; "))));
    }
    const QStringList main = TextsThatDoNotFit(&gallery_->Main());
    QVERIFY2(main.isEmpty(), qPrintable(main.join(QStringLiteral("; "))));
}

void TestAppearance::aboutBox() {
    QCOMPARE(texts_["about"],
             (QStringList{QStringLiteral("Vantelo Utility Version 1.03"),
                          QStringLiteral("Protocol Version 2.001.002"),
                          QStringLiteral("Copyright (C) 2026 the Vantelo developers")}));
}

void TestAppearance::accessibleNames() {
    QCOMPARE(unnamed_.size(), size_t{6});
    for (const auto& [name, unnamed] : unnamed_) {
        QVERIFY2(unnamed.isEmpty(), qPrintable(name + ": " + unnamed.join(QStringLiteral("; "))));
    }
    MainWindow& main = gallery_->Main();
    const QStringList unnamed = Unnamed(Accessible(&main), kMainStrips);
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral("; "))));
    // A field is named after its label, an address control's numbers after it and their place.
    ClickRow(main.MonitorView(), 0);
    QStringList names;
    OnNextModal(
        [&names](QWidget* dialog) {
            for (const ControlId id : {ControlId::ConfigSystemName, ControlId::ConfigIpAddress}) {
                QWidget* field = Find(dialog, id);
                names << Accessible(field)->text(QAccessible::Name);
            }
            auto* address = Find(dialog, ControlId::ConfigIpAddress);
            names << Accessible(address->findChildren<QLineEdit*>().at(3))->text(QAccessible::Name);
            qobject_cast<QDialog*>(dialog)->reject();
        },
        &main);
    QTest::mouseClick(Find<QPushButton>(&main, ControlId::ConfigurationSetting), Qt::LeftButton);
    QCOMPARE(names, (QStringList{QStringLiteral("System name"), QStringLiteral("IP Address"),
                                 QStringLiteral("IP Address 4 of 4")}));
}

void TestAppearance::listsExposeHeadersAndCells() {
    QTableView* monitor = gallery_->Main().MonitorView();
    QAccessibleInterface* list = Accessible(monitor);
    QVERIFY(list != nullptr && list->tableInterface() != nullptr);
    QAccessibleTableInterface* table = list->tableInterface();
    QCOMPARE(table->columnCount(), 11);
    QCOMPARE(table->rowCount(), monitor->model()->rowCount());
    QVERIFY(table->rowCount() >= 4);
    QStringList headings;
    for (int column = 0; column < 3; ++column) {
        headings << table->columnDescription(column);
    }
    QCOMPARE(headings, (QStringList{QStringLiteral("S"), QStringLiteral("IP Address"),
                                    QStringLiteral("MAC Address")}));
    // Each cell reads as the list shows it; the status column reads its image's name.
    QStringList statuses;
    for (int row = 0; row < table->rowCount(); ++row) {
        QAccessibleInterface* ip = table->cellAt(row, 1);
        QCOMPARE(ip->text(QAccessible::Name), monitor->model()->index(row, 1).data().toString());
        statuses << table->cellAt(row, 0)->text(QAccessible::Name);
    }
    QVERIFY2(statuses.contains(QStringLiteral("Not alive")), qPrintable(statuses.join(',')));
    // The trap list reads each new trap's mark.
    QCOMPARE(texts_["trap-information"], QStringList(3, QStringLiteral("Unread trap")));
}

void TestAppearance::messageBoxExposesItsText() {
    QtUserInteraction ui;
    ui.SetMainWindow(&gallery_->Main());
    QStringList texts;
    OnNextModal(
        [&texts](QWidget* box) {
            QAccessibleInterface* node = Accessible(box);
            texts << node->text(QAccessible::Name);
            for (int i = 0; i < node->childCount(); ++i) {
                if (node->child(i)->role() == QAccessible::StaticText) {
                    texts << node->child(i)->text(QAccessible::Name);
                }
            }
            qobject_cast<QMessageBox*>(box)->accept();
        },
        &gallery_->Main());
    ui.ShowMessage(MessageBoxRequest{"Please select one device", "Error", BoxIcon::Error,
                                     BoxButtons::Ok, BoxOwner::MainWindow});
    QVERIFY2(texts.contains(QStringLiteral("Error")), qPrintable(texts.join(';')));
    QVERIFY2(texts.contains(QStringLiteral("Please select one device")),
             qPrintable(texts.join(';')));
}

VANTELO_GUI_TEST_MAIN(TestAppearance)

#include "tst_appearance.moc"
