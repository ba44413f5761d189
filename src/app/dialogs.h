#pragma once
#include <QColor>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <optional>
#include <vector>

#include "export/export_settings.h"

class QWidget;

namespace app {

enum class TMessageIcon { None, Information, Warning, Error };
enum class TMessageButton { Ok, Cancel, Close, Yes, No };

// One message box: what it says and which buttons it offers, in order.
struct TMessage {
  QString Title;
  QString Text;
  TMessageIcon Icon = TMessageIcon::None;
  std::vector<TMessageButton> Buttons{TMessageButton::Ok};
};

// The open-file dialog for pictures: its title and its name filters
// ("All pictures (*.jpg *.png)" first, then one type at a time).
struct TOpenPictureRequest {
  QString Title;
  QStringList Filters;
};

// Every dialog, message box and shell request of the program goes through this
// interface, so that tests can answer them without a person.
class TDialogs {
 public:
  virtual ~TDialogs() = default;

  // Shows a modal message box and returns the button that closed it.
  virtual TMessageButton Message(QWidget* owner, const TMessage& message) = 0;
  // A modal folder chooser; the chosen folder, or nothing when cancelled.
  // The root folder comes back as "/", every other folder without a trailing
  // separator. An initial folder that does not exist is ignored.
  virtual std::optional<QString> ChooseFolder(QWidget* owner, const QString& title, const QString& initialFolder) = 0;
  // A modal open-file dialog with a picture preview; the chosen file or nothing.
  virtual std::optional<QString> OpenPicture(QWidget* owner, const TOpenPictureRequest& request) = 0;
  // The colour chooser, starting at `initial`; the chosen colour or nothing.
  virtual std::optional<QColor> ChooseColor(QWidget* owner, const QColor& initial) = 0;
  // The video export's dialog, filled from `proposal`; the settings the user
  // confirmed, or nothing when cancelled.
  virtual std::optional<video_export::ExportSettings> ExportVideo(QWidget* owner,
                                                                  const video_export::ExportSettings& proposal) = 0;
  // Opens an address with the user's default program for it (a web page: the browser).
  virtual void OpenUrl(const QUrl& url) = 0;
};

}  // namespace app
