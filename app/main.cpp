// Quillon: opens the window and runs until it is closed.
#include <QApplication>

#include "form1.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillon"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLON_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(QUILLON_APP_ID));
    quillon::Form1 window;
    window.show();
    return QApplication::exec();
}
