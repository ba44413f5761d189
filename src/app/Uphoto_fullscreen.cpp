// Full screen: the view leaves the device frame and covers the primary screen
// above other windows, without background picture, frame, hint or pointer.
#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTabWidget>
#include <QWindow>

#include "app/Uphoto.h"
#include "app/window_system.h"
#include "view/vantrel.h"

namespace app {

bool TPhotosform::IsFullScreen() const { return Vantrel->Align() == view::alNone; }

void TPhotosform::SetVantrelShowHint(bool show) {
  vantrelShowHint_ = show;
  Vantrel->setToolTip(show ? VantrelHint() : QString());
}

void TPhotosform::SetFullScreen(bool Active) {
  if (Active && !IsFullScreen()) {
    Vantrel->setFocus();
    Vantrel->SetAlign(view::alNone);
    Vantrel->SetBgMode(view::bmNone);
    Vantrel->SetFrameWidth(0);
    SetVantrelShowHint(false);
    // A window of its own that still belongs to Panel1, so that its keys pass
    // through the window's key preview and it goes with the window. It is
    // placed by us alone: a window manager that framed it would, on letting
    // it go again, move and size it back to its frame inside Panel1.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    Vantrel->setParent(
        Panel1, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::X11BypassWindowManagerHint);
    Vantrel->setGeometry(screen);
    // A Wayland client cannot put its window at 0, 0: it asks the compositor
    // to show it full screen on the output.
    if (RunsOnWayland()) {
      Vantrel->showFullScreen();
    } else {
      Vantrel->show();
    }
    Vantrel->raise();
    Vantrel->activateWindow();
    Vantrel->setFocus();
    cursorDisplay_.Show(false);
  } else if (!Active && IsFullScreen()) {
    Vantrel->setParent(Panel1, Qt::Widget);
    Vantrel->setWindowState(Vantrel->windowState() & ~Qt::WindowFullScreen);
    Vantrel->SetAlign(view::alClient);
    Vantrel->setGeometry(Panel1->contentsRect());
    Vantrel->show();
    // Back at the bottom of Panel1, below the settings panel and the status
    // bar. The view's native window comes back on top of its siblings' windows,
    // and QWidget::lower restacks only the widget, not a native child window.
    Vantrel->lower();
    if (QWindow* window = Vantrel->windowHandle()) window->lower();
    Vantrel->SetBgMode(SelectedBackgroundMode());
    Vantrel->SetFrameWidth(settings_.Get(&TStartSettings::FrameWidth));
    SetVantrelShowHint(true);
    cursorDisplay_.Show(true);
    activateWindow();
  }
}

void TPhotosform::VantrelDblClick(QObject*) { SetFullScreen(!IsFullScreen()); }

void TPhotosform::N2Click(QObject*) { SetFullScreen(!IsFullScreen()); }

void TPhotosform::FormKeyDown(QObject*, int& Key, Qt::KeyboardModifiers) {
  if (Key == Qt::Key_Escape && IsFullScreen()) {
    SetFullScreen(false);
    Key = 0;
  }
}

}  // namespace app
