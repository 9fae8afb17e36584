#include "platform/ConsoleCommandLine.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

namespace vantelo {
namespace {

// The options QGuiApplication and QApplication read from the command line, with their values.
struct QtOption {
    const char* name;
    const char* value;  // nullptr for a flag
    const char* help;
};

constexpr QtOption kQtOptions[] = {
    {"platform", "name[:options]", "Qt platform plugin (xcb, wayland, offscreen...)."},
    {"platformpluginpath", "path", "Where Qt looks for platform plugins."},
    {"platformtheme", "theme", "Qt platform theme."},
    {"plugin", "plugin", "Loads an additional Qt input plugin."},
    {"qwindowgeometry", "geometry", "The main window's geometry, as WxH+X+Y."},
    {"geometry", "geometry", "The same as -qwindowgeometry (X11)."},
    {"qwindowicon", "icon", "The default window icon."},
    {"qwindowtitle", "title", "The title of the first window."},
    {"display", "display", "The X11 display to use."},
    {"session", "session", "Restores the session of that name."},
    {"style", "style", "Qt widget style (Fusion, Windows...)."},
    {"stylesheet", "file", "Qt style sheet for the widgets."},
    {"qmljsdebugger", "options", "Qt's QML debugger."},
    {"reverse", nullptr, "Lays the windows out right to left."},
    {"widgetcount", nullptr, "Prints the count of widgets left at the end (Qt debug)."},
};

constexpr const char* kDescription =
    "The console for small managed Ethernet switches: discovery, monitoring, traps,\n"
    "settings and firmware upgrade.\n"
    "\n"
    "Its files (define.ecf, monitor.cfg, syslog.log) are in cfg/ beside the program when\n"
    "that directory exists. An installed console keeps them in $XDG_CONFIG_HOME/vantelo\n"
    "(~/.config/vantelo by default), made on the first start with a copy of\n"
    "/usr/share/vantelo/define.ecf; vantelo-mkdefine writes define.ecf there too.\n"
    "\n"
    "Qt's usual options are taken, with one dash or two.";

void AddQtOptions(QCommandLineParser* parser) {
    for (const QtOption& option : kQtOptions) {
        QString name = QString::fromLatin1(option.name);
        QString help = QString::fromLatin1(option.help);
        if (option.value == nullptr) {
            parser->addOption(QCommandLineOption(name, help));
        } else {
            parser->addOption(QCommandLineOption(name, help, QString::fromLatin1(option.value)));
        }
    }
}

// Qt's options as given, each written as Qt reads it whatever form it came in.
QStringList QtArguments(const QCommandLineParser& parser, const QString& program) {
    QStringList arguments{program};
    for (const QtOption& option : kQtOptions) {
        QString name = QString::fromLatin1(option.name);
        QString dashed = QLatin1Char('-') + name;
        if (option.value == nullptr) {
            if (parser.isSet(name)) {
                arguments << dashed;
            }
            continue;
        }
        for (const QString& value : parser.values(name)) {
            arguments << dashed << value;
        }
    }
    return arguments;
}

ConsoleCommandLine Refuse(const QString& reason) {
    return {ConsoleCommandLine::Action::Refuse,
            QStringLiteral("vantelo: %1; try 'vantelo --help'").arg(reason),
            {}};
}

}  // namespace

ConsoleCommandLine ReadConsoleCommandLine(const QStringList& arguments, const QString& version) {
    QCommandLineParser parser;
    // Qt's own options are words after a single dash, not bundles of letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QString::fromLatin1(kDescription));
    QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Shows this help and ends."));
    QCommandLineOption versionOption(QStringList{QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Shows the version and ends."));
    parser.addOption(help);
    parser.addOption(versionOption);
    AddQtOptions(&parser);

    if (!parser.parse(arguments)) {
        // Qt's reason ends with a full stop, which the hint after it would follow.
        QString reason = parser.errorText().trimmed().replace(QLatin1Char('\n'), QLatin1Char(' '));
        if (reason.endsWith(QLatin1Char('.'))) {
            reason.chop(1);
        }
        return Refuse(reason);
    }
    if (!parser.positionalArguments().isEmpty()) {
        return Refuse(QStringLiteral("unexpected argument '%1'")
                          .arg(parser.positionalArguments().constFirst()));
    }
    if (parser.isSet(help)) {
        QString text = parser.helpText();
        text.replace(QStringLiteral("<executable_name>"), QStringLiteral("vantelo"));
        return {ConsoleCommandLine::Action::Help, text, {}};
    }
    if (parser.isSet(versionOption)) {
        return {
            ConsoleCommandLine::Action::Version, QStringLiteral("vantelo %1\n").arg(version), {}};
    }
    return {ConsoleCommandLine::Action::Run, QString(),
            QtArguments(parser, arguments.value(0, QStringLiteral("vantelo")))};
}

}  // namespace vantelo
