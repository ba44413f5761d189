// The slideshow program: Project22 [FOLDER]
#include <QApplication>

#include "app/Uphoto.h"
#include "app/qt_dialogs.h"
#include "app/resources_init.h"
#include "app/theme.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Project22"));
  app::InitResources();

  app::TQtDialogs dialogs;
  app::ApplyTheme(application, app::kThemeName, dialogs);

  // A top-level window has its own task-bar button.
  app::TPhotosform Photosform({QCoreApplication::applicationDirPath(), QApplication::arguments().mid(1), &dialogs});
  Photosform.show();
  return application.exec();
}
