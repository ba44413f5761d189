// The slideshow program: Project22 [FOLDER]
#include <QApplication>
#include <QLocale>
#include <QTranslator>
#include <exception>

#include "app/Uphoto.h"
#include "app/program_files.h"
#include "app/qt_dialogs.h"
#include "app/resources_init.h"
#include "app/theme.h"
#include "app/translation.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Project22"));
  QGuiApplication::setDesktopFileName(QStringLiteral(VANTREL_APP_ID));
  app::InitResources();
  QTranslator english;
  app::InstallTranslation(application, english, QLocale::system());

  app::TQtDialogs dialogs;
  app::ApplyTheme(application, app::kThemeName, dialogs);

  const app::TProgramFiles files = app::LocateProgramFiles(QCoreApplication::applicationDirPath());
  try {
    app::MakeUserAlbumOnFirstStart(files);
  } catch (const std::exception& error) {
    // The window still opens; it reports the missing album when it lists it.
    dialogs.Message(nullptr, {QCoreApplication::applicationName(), QString::fromUtf8(error.what()),
                              app::TMessageIcon::Error, {app::TMessageButton::Ok}});
  }

  // A top-level window has its own task-bar button.
  app::TPhotosform Photosform({files.DataDir, files.AlbumHome, QApplication::arguments().mid(1), &dialogs});
  Photosform.show();
  return application.exec();
}
