#pragma once
#include <deque>
#include <functional>
#include <vector>

#include "app/dialogs.h"

namespace app_test {

// A dialog that was shown, with what it was shown with.
struct TDialogCall {
  enum Kind { Message, ChooseFolder, OpenPicture, ChooseColor, ExportVideo, OpenUrl };
  Kind kind;
  QString title;
  QString text;
  app::TMessageIcon icon = app::TMessageIcon::None;
  std::vector<app::TMessageButton> buttons;
  QString initialFolder;
  QStringList filters;
  QColor initialColor;
  QUrl url;
};

// Answers every dialog from queues the test fills, and records each one.
// With its queue empty a message box answers with its last button and every
// chooser is cancelled; a null string or an invalid colour in a queue is a
// cancel too.
class TScriptedDialogs final : public app::TDialogs {
 public:
  std::vector<TDialogCall> Calls;
  std::deque<app::TMessageButton> MessageAnswers;
  std::deque<QString> FolderAnswers;
  std::deque<QString> PictureAnswers;
  std::deque<QColor> ColorAnswers;
  // Each answer edits the proposal it is shown; an empty function cancels.
  std::deque<std::function<void(video_export::ExportSettings&)>> ExportAnswers;
  // What each export dialog was shown.
  std::vector<video_export::ExportSettings> ExportProposals;
  // Runs while a message box is open, as a person takes time to read it: a
  // modal box runs the event loop meanwhile.
  std::function<void()> WhileMessageOpen;
  // The most message boxes open at one time.
  int MostMessagesOpen = 0;

  app::TMessageButton Message(QWidget* owner, const app::TMessage& message) override;
  std::optional<QString> ChooseFolder(QWidget* owner, const QString& title, const QString& initialFolder) override;
  std::optional<QString> OpenPicture(QWidget* owner, const app::TOpenPictureRequest& request) override;
  std::optional<QColor> ChooseColor(QWidget* owner, const QColor& initial) override;
  std::optional<video_export::ExportSettings> ExportVideo(QWidget* owner,
                                                          const video_export::ExportSettings& proposal) override;
  void OpenUrl(const QUrl& url) override;

  // The texts of the message boxes shown, in order.
  QStringList MessageTexts() const;
  std::vector<TDialogCall> CallsOf(TDialogCall::Kind kind) const;
  void Forget() { Calls.clear(); }

 private:
  int messagesOpen_ = 0;
};

}  // namespace app_test
