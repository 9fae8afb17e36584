#pragma once

#include <QString>
#include <QStringList>

namespace vantelo {

// What the console's command line asks for.
struct ConsoleCommandLine {
    enum class Action { Run, Help, Version, Refuse };
    Action action = Action::Run;
    // The usage for Help, the version line for Version, a one-line reason for Refuse.
    QString text;
    // For Run, what QApplication is to read: the program's name, then each of Qt's options given
    // in the form Qt reads it ("-name", then its value as a word of its own).
    QStringList qtArguments;
};

// Reads the arguments as the program got them, the program's name first, before QApplication
// takes its own options out: --help and --version then answer without a display. Qt's usual
// options (-platform, -style, -reverse...) are taken with one dash or two, their values after a
// space or "=", and handed on; anything else is refused.
ConsoleCommandLine ReadConsoleCommandLine(const QStringList& arguments, const QString& version);

}  // namespace vantelo
