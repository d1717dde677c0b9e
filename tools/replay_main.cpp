// quillon-replay: runs a script of user actions from standard input (see replay.h).
#include <clocale>
#include <iostream>

#include "replay.h"

int main() {
    // Take the user's locale as the window does, so that the scripts show that no result
    // depends on it.
    std::setlocale(LC_ALL, "");
    std::ios::sync_with_stdio(false);
    quillon::HeadlessTarget target;
    quillon::replay(std::cin, std::cout, target);
    return 0;
}
