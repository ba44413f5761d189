// The remembered settings file: what is written comes back, what is damaged
// is left out with a problem line, and nothing in it can stop the program.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include "app/settings_store.h"
#include "app/show_settings.h"
#include "app_fixture.h"

namespace app_test {
namespace {

using app::TSettingsStore;
using app::TStartSettings;

TStartSettings EverySetting() {
  TStartSettings s;
  s.StyleOrder = video_export::StyleOrder::Random;
  s.Manual = true;
  s.Step = 25;
  s.Delay = 5;
  s.ExactTiming = false;
  s.Threaded = false;
  s.Center = false;
  s.Stretch = true;
  s.Proportional = false;
  s.BackgroundMode = 3;
  s.BackgroundPicture = "/pictures/back ground.png";
  s.FrameWidth = 10;
  s.FrameColor = QColor(1, 2, 3);
  s.IntervalMs = 9500;
  s.Folder = "/photos/a, b";
  s.WindowPosition = QPoint(-20, 35);
  s.FullScreen = true;
  return s;
}

void ExpectSame(const TStartSettings& a, const TStartSettings& b) {
  int index = 0;
  TStartSettings::ForEachField(
      [&](const auto&, const auto& x, const auto& y) {
        EXPECT_EQ(x, y) << "field " << index;
        ++index;
      },
      a, b);
}

class SettingsFile : public ::testing::Test {
 protected:
  QString File() const { return dir.filePath("Project22/Project22.ini"); }
  void Write(const QByteArray& content) {
    QDir().mkpath(dir.filePath("Project22"));
    Touch(File(), content);
  }
  QTemporaryDir dir;
};

TEST_F(SettingsFile, WhatIsSavedIsLoadedAgainExceptTheFirstStyle) {
  TStartSettings all = EverySetting();
  all.FirstStyle = 12;  // for one run only
  const TSettingsStore store(File());
  EXPECT_EQ(store.Save(all), "");
  const TSettingsStore::TLoaded loaded = store.Load();
  EXPECT_TRUE(loaded.Problems.isEmpty()) << loaded.Problems.join('\n').toStdString();
  all.FirstStyle.reset();
  ExpectSame(loaded.Settings, all);

  // A later save replaces everything: a value no longer given is forgotten.
  TStartSettings fewer;
  fewer.Step = 7;
  EXPECT_EQ(store.Save(fewer), "");
  ExpectSame(store.Load().Settings, fewer);
}

TEST_F(SettingsFile, NoFileMeansNothingRememberedAndNoProblem) {
  const TSettingsStore::TLoaded loaded = TSettingsStore(File()).Load();
  EXPECT_TRUE(loaded.Problems.isEmpty());
  ExpectSame(loaded.Settings, {});
}

TEST_F(SettingsFile, BadValuesAreLeftOutOneByOne) {
  Write(
      "[Panel]\nStep=26\nDelay=40\nExactTiming=yes\nThreaded=false\nFrameColor=red\nBackgroundMode=-1\n"
      "DisplayInterval=499\nStyleOrder=2,3\n[Window]\nPosition=10\nFullScreen=true\n");
  const TSettingsStore::TLoaded loaded = TSettingsStore(File()).Load();
  TStartSettings expected;
  expected.Delay = 40;
  expected.Threaded = false;
  expected.FullScreen = true;
  ExpectSame(loaded.Settings, expected);
  const QStringList bad{"Panel/Step",           "Panel/ExactTiming",     "Panel/FrameColor",
                        "Panel/BackgroundMode", "Panel/DisplayInterval", "Panel/StyleOrder",
                        "Window/Position"};
  ASSERT_EQ(loaded.Problems.size(), bad.size()) << loaded.Problems.join('\n').toStdString();
  for (const QString& key : bad) {
    EXPECT_EQ(loaded.Problems.filter(key).size(), 1) << key.toStdString();
  }
}

// A settings file far larger than any the program writes is damaged: it is
// not read (reading it would cost memory many times its size).
TEST_F(SettingsFile, AFileOverOneMegabyteIsDamagedAndNotRead) {
  const struct {
    const char* name;
    qsizetype padding;
    bool read;
  } cases[] = {{"just under", (1 << 20) - 200, true}, {"over", (1 << 20) + 1, false}, {"far over", 8 << 20, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    QByteArray content = "[Panel]\nStep=7\n";
    content += ';' + QByteArray(c.padding - content.size() - 2, 'x') + '\n';
    Write(content);
    const TSettingsStore::TLoaded loaded = TSettingsStore(File()).Load();
    EXPECT_EQ(loaded.Settings.Step, c.read ? std::optional<int>(7) : std::nullopt);
    EXPECT_EQ(loaded.Problems.filter("damaged").size(), c.read ? 0 : 1) << loaded.Problems.join('\n').toStdString();
  }
}

// Every remembered field has its own key, and a default and range that the
// live settings start from and keep to.
TEST(ShowSettings, StartAtTheirDefaultsAndKeepToTheirRanges) {
  app::TShowSettings settings;
  EXPECT_EQ(settings.StyleOrder(), video_export::StyleOrder::Cycle);
  EXPECT_EQ(settings.IntervalMs(), 3000);
  EXPECT_EQ(settings.Get(&TStartSettings::Step), 3);
  EXPECT_EQ(settings.Get(&TStartSettings::Delay), 30);
  EXPECT_EQ(settings.Get(&TStartSettings::FrameColor), QColor(128, 128, 128));
  const struct {
    app::TShowSettings::TField<int> field;
    int set, kept;
  } cases[] = {
      {&TStartSettings::Step, 250, 25},        {&TStartSettings::Step, 0, 1},
      {&TStartSettings::Delay, 5000, 1000},    {&TStartSettings::FrameWidth, 25, 10},
      {&TStartSettings::IntervalMs, 100, 500}, {&TStartSettings::IntervalMs, 20000, 9500},
      {&TStartSettings::BackgroundMode, 7, 3}, {&TStartSettings::IntervalMs, 4500, 4500},
  };
  for (const auto& c : cases) {
    settings.Set(c.field, c.set);
    EXPECT_EQ(settings.Get(c.field), c.kept) << c.set;
  }
  EXPECT_FALSE(settings.Set(&TStartSettings::IntervalMs, 4500)) << "unchanged";
  TStartSettings given;
  given.Step = 99;
  given.StyleOrder = video_export::StyleOrder::Random;
  settings.Apply(given);
  EXPECT_EQ(settings.Get(&TStartSettings::Step), 25);
  EXPECT_EQ(settings.StyleOrder(), video_export::StyleOrder::Random);

  QSet<QString> keys;
  int fields = 0;
  TStartSettings::ForEachField(
      [&](const auto& info, const auto&) {
        ++fields;
        if (info.key) keys.insert(QString::fromLatin1(info.key));
      },
      given);
  EXPECT_EQ(keys.size(), fields - 1) << "each field its own key, but the first style given for one run";
}

TEST_F(SettingsFile, ADamagedOrUnreadableFileIsIgnoredWithAProblemLine) {
  QByteArray binary;
  for (int i = 0; i < 4096; ++i) binary.append(static_cast<char>((i * 7919) % 256));
  const QByteArray contents[] = {binary, QByteArray("[Panel\nStep=4\n\x00\xff", 16),
                                 "Step=\"unterminated\n[Panel]\nDelay=@Variant(\\0\\0\\0\\x7f)\n"};
  for (const QByteArray& content : contents) {
    Write(content);
    const TSettingsStore::TLoaded loaded = TSettingsStore(File()).Load();
    // Whatever survives is within range, and something was reported.
    if (loaded.Settings.Step) {
      EXPECT_TRUE(*loaded.Settings.Step >= 1 && *loaded.Settings.Step <= 25);
    }
    EXPECT_FALSE(loaded.Problems.isEmpty())
        << content.left(40).toHex().toStdString() << " step " << loaded.Settings.Step.value_or(-1) << " delay "
        << loaded.Settings.Delay.value_or(-1);
  }

  // A folder where the file should be: reported, and saving reports too.
  QFile::remove(File());
  QDir().mkpath(File());
  const TSettingsStore store(File());
  const TSettingsStore::TLoaded loaded = store.Load();
  ASSERT_EQ(loaded.Problems.size(), 1);
  EXPECT_TRUE(loaded.Problems[0].contains(File()));
  ExpectSame(loaded.Settings, {});
  EXPECT_NE(store.Save(EverySetting()), "");
}

TEST_F(SettingsFile, ResetForgetsEverything) {
  const TSettingsStore store(File());
  ASSERT_EQ(store.Save(EverySetting()), "");
  EXPECT_EQ(store.Reset(), "");
  EXPECT_FALSE(QFile::exists(File()));
  ExpectSame(store.Load().Settings, {});
  EXPECT_EQ(store.Reset(), "");  // nothing to forget is no problem
}

TEST(SettingsPlace, TheFileLiesInTheUsersConfigurationFolder) {
  QTemporaryDir config;
  const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
  EXPECT_EQ(TSettingsStore::DefaultFile(), config.path() + "/Project22/Project22.ini");
  qputenv("XDG_CONFIG_HOME", saved);
}

TEST(SettingsMerge, OptionsWinForTheRunAndAreRememberedOnlyWhenChanged) {
  TStartSettings remembered;
  remembered.IntervalMs = 4000;
  remembered.Step = 9;
  TStartSettings given;
  given.IntervalMs = 1500;
  given.Delay = 50;
  given.FullScreen = true;

  const TStartSettings run = app::Overridden(remembered, given);
  EXPECT_EQ(run.IntervalMs, 1500);
  EXPECT_EQ(run.Step, 9);
  EXPECT_EQ(run.Delay, 50);
  EXPECT_EQ(run.FullScreen, true);

  // At the end of the run: the interval and full screen as given, the delay
  // changed in the panel, the step changed too.
  TStartSettings current = run;
  current.Delay = 60;
  current.Step = 10;
  const TStartSettings kept = app::ToRemember(current, given, remembered);
  EXPECT_EQ(kept.IntervalMs, 4000);  // given and unchanged: the remembered one stays
  EXPECT_EQ(kept.FullScreen, std::nullopt);  // given, nothing remembered before
  EXPECT_EQ(kept.Delay, 60);  // changed during the run
  EXPECT_EQ(kept.Step, 10);
}

}  // namespace
}  // namespace app_test
