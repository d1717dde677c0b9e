// Quillon's command line, read before the window system is touched, so that --help, --version
// and a wrong option work without a display. The toolkit's own options pass, to be read by Qt.
#pragma once

#include <QStringList>
#include <cstdio>

class QString;

namespace quillon {

// Writes `line` and a line break to `stream`, at once.
void writeLine(std::FILE* stream, const QString& line);

// The window system plugins that Qt can load: the names their files in Qt's plugin folders
// declare, read without loading them.
QStringList availablePlatforms();

// Reads the command line (`arguments` are argv's); the exit status when the program ends here
// (help, version or a wrong argument), -1 when the window is to be opened.
int readCommandLine(const QStringList& arguments, int argc, char* argv[]);

}  // namespace quillon
