// Quillon: opens the window and runs until it is closed.
//
// The command line is read before the window system is touched, so that --help, --version and
// a wrong option work without a display, and a display that cannot be opened ends the program
// with one line instead of a crash.
#include <QApplication>
#include <QByteArray>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <cstdlib>

#include "form1.h"

namespace {

// The options QGuiApplication and QApplication take for themselves (and remove from the
// arguments once the display is open), with whether each is followed by a value.
struct ToolkitOption {
    const char* name;
    bool takesValue;
};
constexpr ToolkitOption kToolkitOptions[] = {
    {"platform", true},        {"platformpluginpath", true},
    {"platformtheme", true},   {"plugin", true},
    {"qwindowgeometry", true}, {"qwindowicon", true},
    {"qwindowtitle", true},    {"qmljsdebugger", true},
    {"session", true},         {"display", true},
    {"geometry", true},        {"name", true},
    {"title", true},           {"style", true},
    {"stylesheet", true},      {"reverse", false},
    {"widgetcount", false},    {"nograb", false},
    {"dograb", false},         {"sync", false},
    {"testability", false},    {"dialogs", true},
    {"fontengine", true},
};

void writeLine(std::FILE* stream, const QString& line) {
    std::fputs(qPrintable(line), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

// Set while QApplication opens the display. Qt ends the program with a fatal message (and
// abort()) when no platform plugin can be started; this handler turns that into one line on
// standard error and exit status 1. The toolkit's warnings from that moment are held back and
// passed on once the display is open.
bool openingDisplay = false;
QtMessageHandler toolkitHandler = nullptr;
struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};
QList<HeldMessage> heldMessages;
// The display named by -display, else by DISPLAY; empty when neither names one.
QString displayName;

void whileOpeningDisplay(QtMsgType type, const QMessageLogContext& context,
                         const QString& message) {
    if (!openingDisplay) {
        toolkitHandler(type, context, message);
        return;
    }
    if (type != QtFatalMsg) {
        heldMessages.append({type, QByteArray(context.category), message});
        return;
    }
    const QString where =
        displayName.isEmpty() ? QString() : QStringLiteral(" \"%1\"").arg(displayName);
    writeLine(stderr, QStringLiteral("quillon: cannot open the display%1; set DISPLAY or "
                                     "WAYLAND_DISPLAY, or use -platform offscreen")
                          .arg(where));
    std::_Exit(1);
}

// The parser of Quillon's own options, knowing the toolkit's so that they pass.
struct CommandLine {
    QCommandLineParser parser;
    QCommandLineOption help;
    QCommandLineOption version;

    CommandLine() : help(parser.addHelpOption()), version(parser.addVersionOption()) {
        parser.setApplicationDescription(
            QStringLiteral("Quillon, a small, exact desktop calculator: opens its window and "
                           "runs until the window is closed."));
        // One dash or two before a word, as the toolkit's own options are written
        // ("-platform").
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        for (const ToolkitOption& option : kToolkitOptions) {
            QCommandLineOption toolkit(QString::fromLatin1(option.name));
            if (option.takesValue) {
                toolkit.setValueName(QStringLiteral("value"));
            }
            toolkit.setFlags(QCommandLineOption::HiddenFromHelp);
            parser.addOption(toolkit);
        }
    }
};

void printHelp(const QCommandLineParser& parser, bool helpAll) {
    QString text = parser.helpText();
    if (helpAll) {
        text += QStringLiteral("\nWindow system options, passed on to Qt:\n");
        for (const ToolkitOption& option : kToolkitOptions) {
            text += QStringLiteral("  -%1%2\n")
                        .arg(QString::fromLatin1(option.name),
                             option.takesValue ? QStringLiteral(" <value>") : QString());
        }
    }
    std::fputs(qPrintable(text), stdout);
}

// Reads the command line; the exit status when the program ends here (help, version or a
// wrong argument), -1 when the window is to be opened.
int readCommandLine(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    CommandLine line;
    QCommandLineParser& parser = line.parser;
    if (!parser.parse(arguments)) {
        writeLine(stderr,
                  QStringLiteral("quillon: %1 Try \"quillon --help\".").arg(parser.errorText()));
        return 2;
    }
    if (!parser.positionalArguments().isEmpty()) {
        writeLine(stderr, QStringLiteral("quillon: unexpected argument \"%1\"; Quillon takes "
                                         "no file. Try \"quillon --help\".")
                              .arg(parser.positionalArguments().constFirst()));
        return 2;
    }
    if (parser.isSet(line.version)) {
        writeLine(stdout, QStringLiteral("quillon " QUILLON_VERSION));
        return 0;
    }
    const bool helpAll = parser.isSet(QStringLiteral("help-all"));
    if (parser.isSet(line.help) || helpAll) {
        // The usage line names the program as it was started, which the parser takes from
        // the application object; that object needs no display.
        const QCoreApplication core(argc, argv);
        printHelp(parser, helpAll);
        return 0;
    }
    displayName = parser.isSet(QStringLiteral("display")) ? parser.value(QStringLiteral("display"))
                                                          : qEnvironmentVariable("DISPLAY");
    return -1;
}

// Passes on the toolkit's warnings held back while the display was opened.
void releaseHeldMessages() {
    for (const HeldMessage& held : std::as_const(heldMessages)) {
        const QMessageLogContext context(nullptr, 0, nullptr, held.category.constData());
        toolkitHandler(held.type, context, held.text);
    }
    heldMessages.clear();
}

}  // namespace

int main(int argc, char* argv[]) {
    if (const int status = readCommandLine(argc, argv); status >= 0) {
        return status;
    }

    openingDisplay = true;
    toolkitHandler = qInstallMessageHandler(whileOpeningDisplay);
    QApplication application(argc, argv);
    openingDisplay = false;
    qInstallMessageHandler(toolkitHandler);
    releaseHeldMessages();

    QApplication::setApplicationName(QStringLiteral("Quillon"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLON_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(QUILLON_APP_ID));
    quillon::Form1 window;
    window.show();
    return QApplication::exec();
}
