// Quillon: opens the window and runs until it is closed.
//
// The command line is read before the window system is touched (command_line.h), and a display
// that cannot be opened ends the program with one line instead of a crash (display.h).
#include <QApplication>
#include <QStringList>

#include "command_line.h"
#include "display.h"
#include "form1.h"

int main(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    if (const int status = quillon::readCommandLine(arguments, argc, argv); status >= 0) {
        return status;
    }
    quillon::watchDisplayOpening(arguments);
    QApplication application(argc, argv);
    quillon::displayOpened();

    QApplication::setApplicationName(QStringLiteral("Quillon"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLON_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(QUILLON_APP_ID));
    quillon::Form1 window;
    window.show();
    return QApplication::exec();
}
