// Opening the display: a display or a window system plugin that cannot be opened ends the
// program with one line on standard error and exit status 1, instead of the toolkit's abort.
#pragma once

#include <QStringList>

namespace quillon {

// Watches the toolkit's messages while the display opens, for the display and the plugins
// that `arguments` (argv's) or the environment name; call before QApplication is made.
void watchDisplayOpening(const QStringList& arguments);

// Stops watching, once QApplication is made, and passes on the toolkit's warnings held back
// meanwhile.
void displayOpened();

}  // namespace quillon
