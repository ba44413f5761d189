#pragma once
#include <QString>
#include <QStringList>

#include "app/start_settings.h"

namespace app {

// The settings remembered between runs, in one INI file. A file that cannot
// be read or parsed, and single values that are missing, of the wrong kind
// or out of range, are left out and reported as problems, never as errors.
class TSettingsStore {
 public:
  explicit TSettingsStore(QString file) : file_(std::move(file)) {}

  // Project22/Project22.ini in the user's configuration folder
  // ($XDG_CONFIG_HOME, else ~/.config).
  static QString DefaultFile();

  const QString& File() const { return file_; }

  struct TLoaded {
    TStartSettings Settings;
    QStringList Problems;  // one line each, for the user
  };
  TLoaded Load() const;
  // Replaces what was remembered by the fields `settings` holds. Returns a
  // problem line, or nothing when the file was written.
  QString Save(const TStartSettings& settings) const;
  // Forgets everything. Returns a problem line, or nothing.
  QString Reset() const;

 private:
  QString file_;
};

}  // namespace app
