// The console's executable: the Qt application around the console and its main window.

#include <QApplication>
#include <QNetworkProxyFactory>
#include <QStringList>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "gui/ConsoleApp.h"
#include "platform/ConsoleCommandLine.h"
#include "platform/files/ConfigLocation.h"

namespace {

// An argument vector as QApplication takes it, which must live as long as the application.
class ArgumentVector {
public:
    explicit ArgumentVector(const QStringList& arguments) {
        for (const QString& argument : arguments) {
            bytes_.push_back(argument.toLocal8Bit());
        }
        for (QByteArray& argument : bytes_) {
            pointers_.push_back(argument.data());
        }
        pointers_.push_back(nullptr);
        count_ = static_cast<int>(bytes_.size());
    }

    int& Count() { return count_; }
    char** Vector() { return pointers_.data(); }

private:
    std::vector<QByteArray> bytes_;
    std::vector<char*> pointers_;
    int count_ = 0;
};

// The exit code when the command line has been answered, nothing when the window is to open with
// Qt's options in *qtArguments.
std::optional<int> AnswerCommandLine(int argc, char** argv, QStringList* qtArguments) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    vantelo::ConsoleCommandLine commandLine =
        vantelo::ReadConsoleCommandLine(arguments, QStringLiteral(VANTELO_VERSION));
    switch (commandLine.action) {
        case vantelo::ConsoleCommandLine::Action::Run:
            *qtArguments = commandLine.qtArguments;
            return std::nullopt;
        case vantelo::ConsoleCommandLine::Action::Help:
        case vantelo::ConsoleCommandLine::Action::Version:
            std::fputs(commandLine.text.toLocal8Bit().constData(), stdout);
            return std::fflush(stdout) == 0 ? 0 : 1;
        case vantelo::ConsoleCommandLine::Action::Refuse:
            std::fprintf(stderr, "%s\n", commandLine.text.toLocal8Bit().constData());
            return 2;
    }
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    QStringList qtArguments;
    if (std::optional<int> answered = AnswerCommandLine(argc, argv, &qtArguments)) {
        return *answered;
    }
    ArgumentVector qtArgv(qtArguments);
    QApplication application(qtArgv.Count(), qtArgv.Vector());
    QCoreApplication::setApplicationVersion(QStringLiteral(VANTELO_VERSION));
    // The desktop entry's name, by which a Wayland compositor finds the icon and groups windows.
    QGuiApplication::setDesktopFileName(QStringLiteral("local.vantelo.vantelo"));
    // The system proxy lookup is of no use for UDP on the local network and starts a thread.
    QNetworkProxyFactory::setUseSystemConfiguration(false);

    // Qt knows the executable's own path, wherever it was started from. The application ends
    // with its main window, however that closes.
    std::string program = QCoreApplication::applicationFilePath().toStdString();
    vantelo::ConsoleApp app(
        vantelo::ConsoleConfigDirectory(program, vantelo::ProcessConfigEnvironment()));
    app.Engine().KnowShippedDefinition(vantelo::ShippedDefinitionPath(program));
    app.Run();
    return 0;
}
