// The subject of the accessibility bus check: the gallery's main window, with its lists filled,
// shown for the given number of seconds.

#include <QApplication>
#include <QTimer>
#include <clocale>
#include <cstdio>
#include <cstdlib>

#include "WindowGallery.h"

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "C");
    QApplication application(argc, argv);
    const int seconds = argc == 2 ? std::atoi(argv[1]) : 0;
    if (seconds <= 0) {
        std::fprintf(stderr, "usage: vantelo_a11y_subject SECONDS\n");
        return 2;
    }
    vantelo::test::WindowGallery gallery;
    QTimer::singleShot(seconds * 1000, &application, &QCoreApplication::quit);
    std::printf("ready\n");
    std::fflush(stdout);
    return QApplication::exec();
}
