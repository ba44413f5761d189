// The slideshow program: Project22 [options] [FOLDER|PHOTO]
#include <QApplication>
#include <QByteArray>
#include <QLocale>
#include <QTranslator>
#include <cstdio>
#include <exception>
#include <vector>

#include "app/Uphoto.h"
#include "app/command_line.h"
#include "app/console.h"
#include "app/program_files.h"
#include "app/qt_dialogs.h"
#include "app/resources_init.h"
#include "app/settings_store.h"
#include "app/theme.h"
#include "app/translation.h"
#include "export/codec_messages.h"
#include "platform/raster/heap_policy.h"

namespace {

QStringList ProgramArguments(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  return arguments;
}

void PrintProblems(const QStringList& lines) {
  for (const QString& line : lines) {
    if (!line.isEmpty()) app::PrintProblem(line);
  }
}

}  // namespace

int main(int argc, char** argv) {
  raster::KeepHeapForNextFrames();
  video_export::ShowCodecMessages(false);
  // The command line is read before the toolkit starts, so that --help and a
  // bad value answer without a display and before any window opens.
  const app::TCommandLine line = app::ParseCommandLine(ProgramArguments(argc, argv));
  switch (line.Action) {
    case app::TCommandLine::TAction::ShowHelp:
    case app::TCommandLine::TAction::ShowVersion: std::fputs(line.Text.toLocal8Bit().constData(), stdout); return 0;
    case app::TCommandLine::TAction::Fail:
      std::fprintf(stderr, "%s\n", app::PrintableLine(line.Text).toLocal8Bit().constData());
      return app::kBadCommandLineStatus;
    case app::TCommandLine::TAction::Run: break;
  }

  // The toolkit sees only its own options: it would take --style for itself.
  std::vector<QByteArray> toolkitArguments;
  for (const QString& argument : line.ToolkitArguments) toolkitArguments.push_back(argument.toLocal8Bit());
  std::vector<char*> toolkitArgv;
  for (QByteArray& argument : toolkitArguments) toolkitArgv.push_back(argument.data());
  toolkitArgv.push_back(nullptr);
  int toolkitArgc = static_cast<int>(toolkitArguments.size());
  QApplication application(toolkitArgc, toolkitArgv.data());
  QApplication::setApplicationName(QStringLiteral("Project22"));
  QGuiApplication::setDesktopFileName(QStringLiteral(VANTREL_APP_ID));
  app::InitResources();
  QTranslator english;
  app::InstallTranslation(application, english, QLocale::system());

  const app::TSettingsStore store(app::TSettingsStore::DefaultFile());
  app::TSettingsStore::TLoaded remembered;
  if (line.ResetSettings) {
    PrintProblems({store.Reset()});
  } else {
    remembered = store.Load();
    PrintProblems(remembered.Problems);
  }

  app::TQtDialogs dialogs;
  app::ApplyTheme(application, app::kThemeName, dialogs);

  const app::TProgramFiles files = app::LocateProgramFiles(QCoreApplication::applicationDirPath());
  try {
    app::MakeUserAlbumOnFirstStart(files);
  } catch (const std::exception& error) {
    // The window still opens; it reports the missing album when it lists it.
    dialogs.Message(nullptr, {QCoreApplication::applicationName(),
                              QString::fromUtf8(error.what()),
                              app::TMessageIcon::Error,
                              {app::TMessageButton::Ok}});
  }

  // A top-level window has its own task-bar button.
  app::TFormSetup setup;
  setup.ProgramDir = files.DataDir;
  setup.AlbumHome = files.AlbumHome;
  setup.Arguments = line.Arguments;
  setup.Dialogs = &dialogs;
  setup.Start = app::Overridden(remembered.Settings, line.Settings);
  setup.Recursive = line.Recursive;
  app::TPhotosform Photosform(setup);
  Photosform.show();
  const int status = application.exec();
  PrintProblems({store.Save(app::ToRemember(Photosform.RememberedSettings(), line.Settings, remembered.Settings))});
  return status;
}
