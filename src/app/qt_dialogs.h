#pragma once
#include "app/dialogs.h"

namespace app {

// The real dialogs: Qt's message box, file and colour dialogs, and the
// desktop's URL handler (xdg-open on Linux).
class TQtDialogs final : public TDialogs {
 public:
  TMessageButton Message(QWidget* owner, const TMessage& message) override;
  std::optional<QString> ChooseFolder(QWidget* owner, const QString& title, const QString& initialFolder) override;
  std::optional<QString> OpenPicture(QWidget* owner, const TOpenPictureRequest& request) override;
  std::optional<QColor> ChooseColor(QWidget* owner, const QColor& initial) override;
  std::optional<video_export::ExportSettings> ExportVideo(QWidget* owner,
                                                          const video_export::ExportSettings& proposal) override;
  void OpenUrl(const QUrl& url) override;
};

}  // namespace app
