#include "app/qt_dialogs.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>

#include "app/export_video_dialog.h"
#include "app/file_dialog_columns.h"
#include "app/picture_dialog.h"
#include "platform/printable_text.h"

namespace app {
namespace {

QMessageBox::StandardButton ToQt(TMessageButton button) {
  switch (button) {
    case TMessageButton::Ok: return QMessageBox::Ok;
    case TMessageButton::Cancel: return QMessageBox::Cancel;
    case TMessageButton::Close: return QMessageBox::Close;
    case TMessageButton::Yes: return QMessageBox::Yes;
    case TMessageButton::No: return QMessageBox::No;
  }
  return QMessageBox::Ok;
}

QMessageBox::Icon ToQt(TMessageIcon icon) {
  switch (icon) {
    case TMessageIcon::None: return QMessageBox::NoIcon;
    case TMessageIcon::Information: return QMessageBox::Information;
    case TMessageIcon::Warning: return QMessageBox::Warning;
    case TMessageIcon::Error: return QMessageBox::Critical;
  }
  return QMessageBox::NoIcon;
}

// Centres a dialog on the monitor that holds its owner (the primary one
// without an owner); Qt keeps a position set before exec().
void CentreOnOwnerScreen(QDialog& dialog, QWidget* owner) {
  QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  dialog.adjustSize();
  QRect frame = dialog.frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  dialog.move(frame.topLeft());
}

}  // namespace

TMessageButton TQtDialogs::Message(QWidget* owner, const TMessage& message) {
  // Texts may hold file names: shown as plain text (never as markup), their
  // control characters escaped.
  const QString text = QString::fromStdString(platform::PrintableText(message.Text.toStdString(), true));
  QMessageBox box(ToQt(message.Icon), message.Title, text, QMessageBox::NoButton, owner);
  box.setTextFormat(Qt::PlainText);
  std::vector<std::pair<QAbstractButton*, TMessageButton>> buttons;
  for (TMessageButton button : message.Buttons) buttons.emplace_back(box.addButton(ToQt(button)), button);
  box.exec();
  for (const auto& [widget, button] : buttons) {
    if (box.clickedButton() == widget) return button;
  }
  // Closed by Escape or the window manager: the last button answers (No, Cancel, Close).
  return message.Buttons.empty() ? TMessageButton::Cancel : message.Buttons.back();
}

std::optional<QString> TQtDialogs::ChooseFolder(QWidget* owner, const QString& title, const QString& initialFolder) {
  const QString start = !initialFolder.isEmpty() && QDir(initialFolder).exists() ? initialFolder : QString();
  QFileDialog dialog(owner, title, start);
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog | QFileDialog::ReadOnly);
  // Choosing, not making: the chooser offers no button to create a folder.
  if (auto* newFolder = dialog.findChild<QToolButton*>(QStringLiteral("newFolderButton"))) newFolder->hide();
  dialog.resize(720, 440);
  FitFileColumns(dialog);
  CentreOnOwnerScreen(dialog, owner);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return QDir::cleanPath(dialog.selectedFiles().constFirst());
}

std::optional<QString> TQtDialogs::OpenPicture(QWidget* owner, const TOpenPictureRequest& request) {
  TPictureOpenDialog dialog(owner, request);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst();
}

std::optional<QColor> TQtDialogs::ChooseColor(QWidget* owner, const QColor& initial) {
  const QColor chosen = QColorDialog::getColor(initial, owner);
  if (!chosen.isValid()) return std::nullopt;
  return chosen;
}

std::optional<video_export::ExportSettings> TQtDialogs::ExportVideo(QWidget* owner,
                                                                    const video_export::ExportSettings& proposal) {
  TExportVideoDialog dialog(owner, proposal);
  CentreOnOwnerScreen(dialog, owner);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Settings();
}

void TQtDialogs::OpenUrl(const QUrl& url) { QDesktopServices::openUrl(url); }

}  // namespace app
