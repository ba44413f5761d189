#pragma once
#include <QString>

namespace app {

// One line for the user on the terminal (standard error), after the
// program's name: problems that must not stop the program or open a window.
void PrintProblem(const QString& line);

// The line with its control characters escaped (a file name or value the
// user gave may hold a terminal's escape sequences).
QString PrintableLine(const QString& line);

}  // namespace app
