// Folders and photos dropped on the window, as a file manager drops them.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>

#include "app_fixture.h"
#include "view/vantrel.h"

namespace app_test {
namespace {

class Drop : public AppTest {
 protected:
  void OpenStill() {
    Open();
    MakeFast(600000);
  }
  // Drags `urls` over `target` and, when it takes them, drops them there;
  // whether the drop was taken.
  static bool DropOn(QWidget* target, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(at), enter.dropAction(), &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    // The file manager is never told that anything moved.
    EXPECT_NE(drop.dropAction(), Qt::MoveAction);
    return drop.isAccepted();
  }
  QUrl File(const QString& name) const { return QUrl::fromLocalFile(program.File(name)); }
};

TEST_F(Drop, AFolderDroppedOnTheWindowOrThePhotoPlays) {
  program.MakeFolder("trip", {"x.png", "y.png"});
  program.MakeFolder("party", {"p.png", "q.png"});
  OpenStill();
  ASSERT_TRUE(DropOn(form.get(), {File("trip")}));
  ASSERT_TRUE(WaitUntil([&] { return form->Playlist().PicturesPath() == program.File("trip"); }));
  EXPECT_EQ(form->Playlist().Pictures(), QStringList({"x.png", "y.png"}));

  ASSERT_TRUE(DropOn(form->Vantrel, {File("party"), File("trip")}));  // the first of several
  ASSERT_TRUE(WaitUntil([&] { return form->Playlist().PicturesPath() == program.File("party"); }));
  EXPECT_TRUE(dialogs.Calls.empty()) << dialogs.MessageTexts().join(" | ").toStdString();
}

// A photo dropped comes on screen at once, its folder playing around it;
// in full screen too, and while the show is paused.
TEST_F(Drop, APhotoDroppedComesAtOnceWithItsFolder) {
  const QStringList names{"k.png", "l.png", "m.png"};
  program.MakeFolder("trip", names);
  OpenStill();
  form->SetPaused(true);
  for (const QString& name : names) {
    SCOPED_TRACE(name.toStdString());
    ASSERT_TRUE(DropOn(form.get(), {File("trip/" + name)}));
    ASSERT_TRUE(WaitUntil([&] { return form->Playlist().ShowingImage() == name; }));
    EXPECT_EQ(form->Playlist().PicturesPath(), program.File("trip"));
    EXPECT_EQ(form->Playlist().Pictures(), names);
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(form->Playlist().History().back(), name);
  }
  form->SetFullScreen(true);
  ASSERT_TRUE(DropOn(form->Vantrel, {File("Photos/b.jpg")}));
  ASSERT_TRUE(WaitUntil([&] { return form->Playlist().ShowingImage() == "b.jpg"; }));
  EXPECT_EQ(form->Playlist().PicturesPath(), program.File("Photos"));
  EXPECT_TRUE(form->Paused());
  EXPECT_TRUE(dialogs.Calls.empty()) << dialogs.MessageTexts().join(" | ").toStdString();
}

// What cannot be played is refused before it is dropped, and the show goes on.
TEST_F(Drop, WhatIsNotAFolderOrAPhotoIsRefused) {
  Touch(program.File("notes.txt"), "a list");
  OpenStill();
  const QString playing = form->Playlist().PicturesPath();
  for (const QUrl& url : {File("notes.txt"), File("nowhere"), QUrl("https://example.org/a.jpg")}) {
    EXPECT_FALSE(DropOn(form.get(), {url})) << url.toString().toStdString();
  }
  EXPECT_FALSE(DropOn(form.get(), {}));
  Pump(20);
  EXPECT_EQ(form->Playlist().PicturesPath(), playing);
  EXPECT_TRUE(dialogs.Calls.empty());
}

}  // namespace
}  // namespace app_test
