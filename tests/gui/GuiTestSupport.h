#pragma once

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QHeaderView>
#include <QLocale>
#include <QObject>
#include <QPointer>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <clocale>
#include <functional>
#include <vector>

namespace vantelo::test {

// Takes every URL the console hands to the desktop, so that no browser or editor ever starts.
class UrlSink : public QObject {
    Q_OBJECT
public:
    UrlSink() {
        QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "Open");
        QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "Open");
    }
    ~UrlSink() override {
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    }

    QList<QUrl> opened;

public slots:
    void Open(const QUrl& url) { opened << url; }
};

// Runs act on the next modal window other than `besides` once it is shown: the test's way of
// operating a modal dialog or box whose exec() blocks the test. A check that fails inside act
// leaves the window open; it is closed after a while so that the test fails instead of hanging.
inline void OnNextModal(std::function<void(QWidget*)> act, QWidget* besides = nullptr) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QPointer<QWidget> skip = besides;
    QObject::connect(timer, &QTimer::timeout, [timer, act, skip, besides] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || (besides != nullptr && modal == skip.data()) ||
            !modal->isVisible()) {
            return;
        }
        timer->stop();
        timer->deleteLater();
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            QTimer::singleShot(10000, dialog, &QDialog::reject);
        }
        act(modal);
    });
    timer->start();
}

// Clicks a row of a list view in its second column, as the operator would.
inline void ClickRow(QTableView* view, int row, Qt::KeyboardModifiers modifiers = {}) {
    const QRect cell = view->visualRect(view->model()->index(row, 1));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, cell.center());
}

inline void ClickHeader(QTableView* view, int column) {
    QHeaderView* header = view->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

// The texts of one column of a view, row by row, as shown.
inline QStringList Column(const QTableView* view, int column) {
    QStringList texts;
    for (int row = 0; row < view->model()->rowCount(); ++row) {
        texts << view->model()->index(row, column).data().toString();
    }
    return texts;
}

// The rows the view shows selected.
inline std::vector<int> ViewSelection(const QTableView* view) {
    std::vector<int> rows;
    for (int row = 0; row < view->model()->rowCount(); ++row) {
        if (view->selectionModel()->isRowSelected(row, QModelIndex())) {
            rows.push_back(row);
        }
    }
    return rows;
}

}  // namespace vantelo::test

// A QtTest main with Qt's own file dialogs and the C locale, as every GUI test runs.
#define VANTELO_GUI_TEST_MAIN(TestClass)                         \
    int main(int argc, char** argv) {                            \
        std::setlocale(LC_ALL, "C");                             \
        QLocale::setDefault(QLocale::c());                       \
        QApplication::setAttribute(Qt::AA_DontUseNativeDialogs); \
        QApplication application(argc, argv);                    \
        TestClass test;                                          \
        return QTest::qExec(&test, argc, argv);                  \
    }
