#include "scripted_dialogs.h"

#include <algorithm>

namespace app_test {
namespace {
template <class T>
T TakeOr(std::deque<T>& queue, const T& fallback) {
  if (queue.empty()) return fallback;
  T answer = std::move(queue.front());
  queue.pop_front();
  return answer;
}

std::optional<QString> Chosen(const QString& answer) {
  if (answer.isNull()) return std::nullopt;
  return answer;
}
}  // namespace

app::TMessageButton TScriptedDialogs::Message(QWidget*, const app::TMessage& message) {
  Calls.push_back({TDialogCall::Message, message.Title, message.Text, message.Icon, message.Buttons, {}, {}, {}, {}});
  MostMessagesOpen = std::max(MostMessagesOpen, ++messagesOpen_);
  if (WhileMessageOpen) WhileMessageOpen();
  --messagesOpen_;
  const app::TMessageButton fallback = message.Buttons.empty() ? app::TMessageButton::Cancel : message.Buttons.back();
  return TakeOr(MessageAnswers, fallback);
}

std::optional<QString> TScriptedDialogs::ChooseFolder(QWidget*, const QString& title, const QString& initialFolder) {
  Calls.push_back({TDialogCall::ChooseFolder, title, {}, {}, {}, initialFolder, {}, {}, {}});
  return Chosen(TakeOr(FolderAnswers, QString()));
}

std::optional<QString> TScriptedDialogs::OpenPicture(QWidget*, const app::TOpenPictureRequest& request) {
  Calls.push_back({TDialogCall::OpenPicture, request.Title, {}, {}, {}, {}, request.Filters, {}, {}});
  return Chosen(TakeOr(PictureAnswers, QString()));
}

std::optional<QColor> TScriptedDialogs::ChooseColor(QWidget*, const QColor& initial) {
  Calls.push_back({TDialogCall::ChooseColor, {}, {}, {}, {}, {}, {}, initial, {}});
  const QColor answer = TakeOr(ColorAnswers, QColor());
  if (!answer.isValid()) return std::nullopt;
  return answer;
}

std::optional<video_export::ExportSettings> TScriptedDialogs::ExportVideo(
    QWidget*, const video_export::ExportSettings& proposal) {
  Calls.push_back({TDialogCall::ExportVideo, {}, {}, {}, {}, {}, {}, {}, {}});
  ExportProposals.push_back(proposal);
  const auto answer = TakeOr(ExportAnswers, std::function<void(video_export::ExportSettings&)>());
  if (!answer) return std::nullopt;
  video_export::ExportSettings settings = proposal;
  answer(settings);
  return settings;
}

void TScriptedDialogs::OpenUrl(const QUrl& url) {
  Calls.push_back({TDialogCall::OpenUrl, {}, {}, {}, {}, {}, {}, {}, url});
}

QStringList TScriptedDialogs::MessageTexts() const {
  QStringList texts;
  for (const TDialogCall& call : Calls) {
    if (call.kind == TDialogCall::Message) texts << call.text;
  }
  return texts;
}

std::vector<TDialogCall> TScriptedDialogs::CallsOf(TDialogCall::Kind kind) const {
  std::vector<TDialogCall> calls;
  for (const TDialogCall& call : Calls) {
    if (call.kind == kind) calls.push_back(call);
  }
  return calls;
}

}  // namespace app_test
