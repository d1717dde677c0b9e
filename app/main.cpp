// Quillon: opens the window and runs until it is closed.
//
// --help and --version are answered before the window system is touched, so that they work
// without a display. Every other option is Qt's: QApplication takes its own and those of the
// window system plugin in use (which differ from plugin to plugin: -display is X11's), and
// whatever it leaves is refused. A display or a plugin that cannot be opened ends the program
// with one line instead of a crash.
#include <QApplication>
#include <QByteArray>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QPluginLoader>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "form1.h"

namespace {

void writeLine(std::FILE* stream, const QString& line) {
    std::fputs(qPrintable(line), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

// The window system plugins that Qt can load: the names their files in Qt's plugin folders
// declare, read without loading them.
QStringList availablePlatforms() {
    QStringList folders;
    if (const QString path = qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH"); !path.isEmpty()) {
        folders.append(path);
    }
    for (const QString& path : QCoreApplication::libraryPaths()) {
        folders.append(path + QStringLiteral("/platforms"));
    }
    QStringList names;
    for (const QString& folder : std::as_const(folders)) {
        const QDir dir(folder);
        for (const QString& file : dir.entryList(QDir::Files)) {
            const QJsonObject metaData = QPluginLoader(dir.filePath(file)).metaData();
            for (const auto& key : metaData.value(QStringLiteral("MetaData"))
                                       .toObject()
                                       .value(QStringLiteral("Keys"))
                                       .toArray()) {
                names.append(key.toString());
            }
        }
    }
    names.sort();
    names.removeDuplicates();
    return names;
}

// The value after the last option `name`, written with one dash or two as Qt reads its own
// options, else the value of the environment variable `variable`.
QString optionOr(const QStringList& arguments, const QString& name, const char* variable) {
    for (qsizetype i = arguments.size() - 2; i >= 1; --i) {
        if (arguments[i] == QLatin1Char('-') + name || arguments[i] == QLatin1String("--") + name) {
            return arguments[i + 1];
        }
    }
    return qEnvironmentVariable(variable);
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
// The plugins asked for by -platform, else by QT_QPA_PLATFORM ("name:options", several
// separated by ";"); empty when neither asks.
QString platformRequest;

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
    // A plugin that is not there, or else a display that cannot be opened.
    const QStringList available = availablePlatforms();
    QStringList requested;
    for (const QString& plugin : platformRequest.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        requested.append(plugin.section(QLatin1Char(':'), 0, 0));
    }
    if (!requested.isEmpty() &&
        std::none_of(requested.cbegin(), requested.cend(),
                     [&](const QString& name) { return available.contains(name); })) {
        writeLine(stderr,
                  QStringLiteral("quillon: cannot load the window system plugin "
                                 "\"%1\"; available: %2")
                      .arg(requested.join(QLatin1Char(';')), available.join(QStringLiteral(", "))));
    } else {
        const QString where =
            displayName.isEmpty() ? QString() : QStringLiteral(" \"%1\"").arg(displayName);
        writeLine(stderr, QStringLiteral("quillon: cannot open the display%1; set DISPLAY or "
                                         "WAYLAND_DISPLAY")
                              .arg(where));
    }
    std::_Exit(1);
}

// The parser of Quillon's own options.
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
    }
};

// Answers --help, --help-all and --version, whatever else the command line holds: the exit
// status, or -1 when the window is to be opened.
int answerAtOnce(const QStringList& arguments, int argc, char* argv[]) {
    CommandLine line;
    // Qt's options are unknown to this parser: the command line is judged once Qt has taken
    // them.
    line.parser.parse(arguments);
    if (line.parser.isSet(line.version)) {
        writeLine(stdout, QStringLiteral("quillon " QUILLON_VERSION));
        return 0;
    }
    const bool helpAll = line.parser.isSet(QStringLiteral("help-all"));
    if (!line.parser.isSet(line.help) && !helpAll) {
        return -1;
    }
    // The usage line names the program as it was started, which the parser takes from the
    // application object; that object needs no display.
    const QCoreApplication core(argc, argv);
    QString text = line.parser.helpText();
    if (helpAll) {
        text += QStringLiteral(
                    "\nQt's own options are passed on to it: those of QApplication and of the "
                    "window system\nplugin in use, such as -platform <name>, -display <display> "
                    "(X11) or -style <style>.\nWindow system plugins: %1\n")
                    .arg(availablePlatforms().join(QStringLiteral(", ")));
    }
    std::fputs(qPrintable(text), stdout);
    return 0;
}

// What Qt has left of the command line must be the program's name alone: the exit status 2
// when it is not, else -1.
int refuseWhatIsLeft(const QStringList& arguments) {
    CommandLine line;
    if (!line.parser.parse(arguments)) {
        writeLine(
            stderr,
            QStringLiteral("quillon: %1 Try \"quillon --help\".").arg(line.parser.errorText()));
        return 2;
    }
    if (!line.parser.positionalArguments().isEmpty()) {
        writeLine(stderr, QStringLiteral("quillon: unexpected argument \"%1\"; Quillon takes "
                                         "no file. Try \"quillon --help\".")
                              .arg(line.parser.positionalArguments().constFirst()));
        return 2;
    }
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
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    if (const int status = answerAtOnce(arguments, argc, argv); status >= 0) {
        return status;
    }
    displayName = optionOr(arguments, QStringLiteral("display"), "DISPLAY");
    platformRequest = optionOr(arguments, QStringLiteral("platform"), "QT_QPA_PLATFORM");

    openingDisplay = true;
    toolkitHandler = qInstallMessageHandler(whileOpeningDisplay);
    QApplication application(argc, argv);
    openingDisplay = false;
    qInstallMessageHandler(toolkitHandler);
    releaseHeldMessages();
    if (const int status = refuseWhatIsLeft(QCoreApplication::arguments()); status >= 0) {
        return status;
    }

    QApplication::setApplicationName(QStringLiteral("Quillon"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLON_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(QUILLON_APP_ID));
    quillon::Form1 window;
    window.show();
    return QApplication::exec();
}
