#pragma once
#include <QString>
#include <QStringList>

#include "app/start_settings.h"

namespace app {

// What the command line asks for: Project22 [options] [FOLDER|PHOTO].
struct TCommandLine {
  enum class TAction { Run, ShowHelp, ShowVersion, Fail };
  TAction Action = TAction::Run;
  QString Text;  // the help or version text, or the one-line error
  QStringList Arguments;  // the positional arguments; the first is the photo folder, or a photo of it
  QStringList ToolkitArguments;  // the program's name and the toolkit's own options, for it to read
  TStartSettings Settings;  // the options that set a setting for this run
  bool Recursive = false;
  bool ResetSettings = false;
};

// Reads `arguments` (the program's name first). Never exits and never prints:
// the caller decides, before any window exists. Options of the windowing
// toolkit itself (-platform NAME, -display NAME, ...) are let through.
TCommandLine ParseCommandLine(const QStringList& arguments);

// The exit status of a command line that cannot be used.
constexpr int kBadCommandLineStatus = 2;

}  // namespace app
