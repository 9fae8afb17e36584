// Writes a PNG of every window of the console, with content, into a directory:
// main-window.png and one file per dialog. tools/make-screenshots runs it under Xvfb.

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QPixmap>
#include <clocale>
#include <cstdio>

#include "WindowGallery.h"

namespace {

bool Save(const QDir& dir, const QString& name, const QPixmap& picture) {
    const QString path = dir.filePath(name + QStringLiteral(".png"));
    if (!picture.save(path)) {
        std::fprintf(stderr, "make_screenshots: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(QLocale::c());
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: vantelo_make_screenshots DIRECTORY\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "make_screenshots: cannot make %s\n", argv[1]);
        return 1;
    }
    vantelo::test::WindowGallery gallery;
    bool ok = Save(dir, QStringLiteral("main-window"), gallery.Main().grab());
    int dialogs = 0;
    gallery.VisitDialogs([&](const QString& name, QDialog* dialog) {
        ok = Save(dir, name, dialog->grab()) && ok;
        ++dialogs;
    });
    constexpr int kDialogs = 6;
    if (dialogs != kDialogs) {
        std::fprintf(stderr, "make_screenshots: %d of %d dialogs opened\n", dialogs, kDialogs);
        return 1;
    }
    // The window enlarged over full lists.
    vantelo::test::WindowGallery::VisitFullList(QSize(1100, 860), [&](vantelo::MainWindow& window) {
        ok = Save(dir, QStringLiteral("main-window-full-list"), window.grab()) && ok;
    });
    return ok ? 0 : 1;
}
