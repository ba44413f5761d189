#pragma once
#include <QString>

namespace app {

// The commands that drive the show. Keys, the context menu and the settings
// panel call these, and nothing else, so that each command behaves the same
// whichever way it is given.
class TShowCommands {
 public:
  // Brings the photo chosen to come next on screen now.
  virtual void ShowNext() = 0;
  // Brings back the photo shown before the one on screen.
  virtual void ShowPrevious() = 0;
  // Brings the first photo of the list on screen.
  virtual void ShowFirst() = 0;
  // Pauses automatic play (manual play) or resumes it.
  virtual void SetPaused(bool paused) = 0;
  virtual bool Paused() const = 0;
  virtual void SetFullScreen(bool active) = 0;
  virtual bool IsFullScreen() const = 0;
  // Lengthens (+1) or shortens (-1) the display interval by one step.
  virtual void ChangeInterval(int direction) = 0;
  // Plays the photos of `folder` from now on; a folder without photos is
  // reported and the show goes on with the folder before.
  virtual void PlayFolder(const QString& folder) = 0;
  // Plays the folder that holds the photo file `photo` and brings that photo
  // on screen now. A file that is not a photo is reported.
  virtual void PlayPhoto(const QString& photo) = 0;

 protected:
  ~TShowCommands() = default;
};

}  // namespace app
