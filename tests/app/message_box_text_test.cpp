// The real message box shows a text as plain text with its control
// characters escaped: a file name in a message can neither bring its own
// markup nor carry terminal escapes or reordering marks into the dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "app/qt_dialogs.h"

namespace app_test {
namespace {

TEST(MessageBoxText, ShowsNamesAsPlainTextWithControlsEscaped) {
  QString shown;
  Qt::TextFormat format = Qt::AutoText;
  QTimer closer;
  closer.setInterval(5);
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      shown = box->text();
      format = box->textFormat();
      box->done(0);
    }
  });
  closer.start();
  app::TQtDialogs dialogs;
  dialogs.Message(nullptr, {"title",
                            QString::fromUtf8("<b>a\x1b]0;owned\x07\xe2\x80\xae.jpg</b>\nnext line"),
                            app::TMessageIcon::None,
                            {app::TMessageButton::Ok}});
  EXPECT_EQ(shown, "<b>a\\x1B]0;owned\\x07\\u{202E}.jpg</b>\nnext line");
  EXPECT_EQ(format, Qt::PlainText);
}

}  // namespace
}  // namespace app_test
