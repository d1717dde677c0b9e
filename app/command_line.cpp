#include "command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QPluginLoader>
#include <QString>
#include <utility>

namespace quillon {

namespace {

// The options Qt takes for itself, so that the command line can be judged before a display is
// open: an unknown option is named, with exit status 2, even where there is no display.
//
// Why a copy: Qt offers no public way to learn its own options, nor those of the window system
// plugin, before it opens the display; the plugin takes its options only as it connects.
//
// It matches Qt 6.4: QCoreApplication (-qmljsdebugger), QGuiApplication, QApplication (-style,
// -stylesheet, -widgetcount) and the X11 plugin, checked by starting a QApplication with every
// option below under Xvfb and reading what it left in QCoreApplication::arguments(). Some are
// kept from earlier lists because they do no harm: Qt 6.4 leaves them in the arguments and
// Quillon ignores them there.
//
// To refresh it for another Qt: list the candidate names with
//   strings -n 3 libQt6Core.so.6 libQt6Gui.so.6 libQt6Widgets.so.6 libQt6XcbQpa.so.6 |
//       grep -xE -- '-[a-z]+=?'
// and the options in the documentation of QGuiApplication and QApplication, then start a
// QApplication with each under Xvfb (and with -platform offscreen, which takes no X11 option)
// and see which ones are left in QCoreApplication::arguments().
struct ToolkitOption {
    const char* name;
    bool takesValue;
    // Where the option applies, for --help-all: empty for every window system.
    const char* where;
};
constexpr ToolkitOption kToolkitOptions[] = {
    {"platform", true, ""},
    {"platformpluginpath", true, ""},
    {"platformtheme", true, ""},
    {"plugin", true, ""},
    {"qwindowgeometry", true, ""},
    {"qwindowicon", true, ""},
    {"qwindowtitle", true, ""},
    {"qmljsdebugger", true, ""},
    {"session", true, ""},
    {"reverse", false, ""},
    {"testability", false, ""},
    {"style", true, ""},
    {"stylesheet", true, ""},
    {"widgetcount", false, ""},
    // The X11 plugin's; -geometry, -title and -icon stand for -qwindowgeometry, -qwindowtitle
    // and -qwindowicon there.
    {"display", true, "X11"},
    {"geometry", true, "X11"},
    {"name", true, "X11"},
    {"title", true, "X11"},
    {"icon", true, "X11"},
    {"visual", true, "X11"},
    {"nograb", false, "X11"},
    {"dograb", false, "X11"},
    // Kept from earlier lists, taken by nothing in Qt 6.4 on Linux: -sync is an older X11
    // option, -dialogs and -fontengine name settings of the Windows plugin.
    {"sync", false, "ignored"},
    {"dialogs", true, "Windows"},
    {"fontengine", true, "Windows"},
};

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
            const QString where = QString::fromLatin1(option.where);
            text += QStringLiteral("  -%1%2%3\n")
                        .arg(QString::fromLatin1(option.name),
                             option.takesValue ? QStringLiteral(" <value>") : QString(),
                             where.isEmpty() ? QString() : QStringLiteral("  (%1)").arg(where));
        }
        text += QStringLiteral("Window system plugins: %1\n")
                    .arg(availablePlatforms().join(QStringLiteral(", ")));
    }
    std::fputs(qPrintable(text), stdout);
}

}  // namespace

void writeLine(std::FILE* stream, const QString& line) {
    std::fputs(qPrintable(line), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

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

int readCommandLine(const QStringList& arguments, int argc, char* argv[]) {
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
    return -1;
}

}  // namespace quillon
