// quillon-replay: runs a script of user actions from standard input (see replay.h).
//
//   quillon-replay             acts on the real window, under Qt's offscreen platform unless
//                              QT_QPA_PLATFORM names another (on Windows, on the desktop)
//   quillon-replay --headless  acts on the same handlers with the controls held in memory
//   quillon-replay --batch FILE...
//                              runs each script file headless on a window of its own and
//                              prints each one's output between delimiting lines (replayFiles
//                              in replay.h), so that many scripts need one process; exits 1
//                              when a file could not be read or a script failed
#include <clocale>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "replay.h"

#ifdef QUILLON_WINDOW
#include <QApplication>

#include "window_target.h"
#endif

int main(int argc, char* argv[]) {
    // Without the window, every run is headless.
    [[maybe_unused]] bool headless = false;
    constexpr const char* usage =
        "usage: quillon-replay [--headless] < script\n"
        "       quillon-replay [--headless] --batch FILE...\n";
    std::vector<std::string> batch;
    bool batchMode = false;
    for (int i = 1; i < argc; ++i) {
        if (batchMode) {
            batch.emplace_back(argv[i]);
        } else if (std::strcmp(argv[i], "--batch") == 0) {
            batchMode = true;
        } else if (std::strcmp(argv[i], "--headless") == 0) {
            headless = true;
        } else if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::cout << usage;
            return 0;
        } else {
            std::cerr << usage;
            return 2;
        }
    }
    // Take the user's locale as the window does, so that the scripts show that no result
    // depends on it.
    std::setlocale(LC_ALL, "");
#ifdef _WIN32
    // Bytes in and out unchanged, as on every other platform: no CRLF for a line end, and a
    // byte 0x1A does not end the input.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    std::ios::sync_with_stdio(false);
    if (batchMode) {
        return quillon::replayFiles(batch, std::cout) ? 0 : 1;
    }
#ifdef QUILLON_WINDOW
    if (!headless) {
#ifndef _WIN32
        // Qt for Windows has only its own platform, which shows the window on the desktop.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
#endif
        int qtArgc = 1;
        QApplication application(qtArgc, argv);
        quillon::WindowTarget target;
        quillon::replay(std::cin, std::cout, target);
        return 0;
    }
#endif
    quillon::HeadlessTarget target;
    quillon::replay(std::cin, std::cout, target);
    return 0;
}
