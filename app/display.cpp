#include "display.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "command_line.h"

namespace quillon {

namespace {

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

// Passes on the toolkit's warnings held back while the display was opened.
void releaseHeldMessages() {
    for (const HeldMessage& held : std::as_const(heldMessages)) {
        const QMessageLogContext context(nullptr, 0, nullptr, held.category.constData());
        toolkitHandler(held.type, context, held.text);
    }
    heldMessages.clear();
}

}  // namespace

void watchDisplayOpening(const QStringList& arguments) {
    displayName = optionOr(arguments, QStringLiteral("display"), "DISPLAY");
    platformRequest = optionOr(arguments, QStringLiteral("platform"), "QT_QPA_PLATFORM");
    openingDisplay = true;
    toolkitHandler = qInstallMessageHandler(whileOpeningDisplay);
}

void displayOpened() {
    openingDisplay = false;
    qInstallMessageHandler(toolkitHandler);
    releaseHeldMessages();
}

}  // namespace quillon
