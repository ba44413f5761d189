// The command line: options read into settings, bad values refused, and the
// real program answering --help and bad values before any window exists.
#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include "app/command_line.h"
#include "app_fixture.h"

namespace app_test {
namespace {

using app::ParseCommandLine;
using app::TCommandLine;
using TAction = TCommandLine::TAction;

TCommandLine Parse(const QStringList& options) { return ParseCommandLine(QStringList{"/opt/x/Project22"} + options); }

TEST(CommandLine, WithoutOptionsNothingIsSetAndTheFirstArgumentIsTheFolder) {
  const TCommandLine line = Parse({"/photos/a b", "extra"});
  EXPECT_EQ(line.Action, TAction::Run);
  EXPECT_EQ(line.Arguments, QStringList({"/photos/a b", "extra"}));
  EXPECT_FALSE(line.Recursive);
  EXPECT_FALSE(line.ResetSettings);
  int given = 0;
  app::TStartSettings::ForEachField([&](const auto&, const auto& field) { given += field.has_value(); }, line.Settings);
  EXPECT_EQ(given, 0);
  EXPECT_EQ(Parse({}).Arguments, QStringList());
}

TEST(CommandLine, OptionsSetTheirSettings) {
  const TCommandLine line = Parse({"--interval", "2.5", "--style=172", "--order", "random", "--transition-ms", "5",
                                   "--fullscreen", "--recursive", "--reset-settings", "album"});
  ASSERT_EQ(line.Action, TAction::Run) << line.Text.toStdString();
  EXPECT_EQ(line.Settings.IntervalMs, 2500);
  EXPECT_EQ(line.Settings.FirstStyle, 172);
  EXPECT_EQ(line.Settings.StyleOrder, video_export::StyleOrder::Random);
  EXPECT_EQ(line.Settings.Delay, 5);
  EXPECT_EQ(line.Settings.FullScreen, true);
  EXPECT_TRUE(line.Recursive);
  EXPECT_TRUE(line.ResetSettings);
  EXPECT_EQ(line.Arguments, QStringList{"album"});

  const struct {
    QStringList options;
    std::optional<int> interval, style;
    std::optional<video_export::StyleOrder> order;
    std::optional<int> delay;
  } cases[] = {
      {{"--interval", "0.5"}, 500, {}, {}, {}},
      {{"--interval", "9.5"}, 9500, {}, {}, {}},
      {{"--interval", "3"}, 3000, {}, {}, {}},
      {{"--style", "1"}, {}, 1, {}, {}},
      {{"--order", "catalogue"}, {}, {}, video_export::StyleOrder::Cycle, {}},
      {{"--order", "fixed"}, {}, {}, video_export::StyleOrder::Fixed, {}},
      {{"--transition-ms", "1000"}, {}, {}, {}, 1000},
  };
  for (const auto& c : cases) {
    const TCommandLine one = Parse(c.options);
    ASSERT_EQ(one.Action, TAction::Run) << c.options.join(' ').toStdString();
    EXPECT_EQ(one.Settings.IntervalMs, c.interval) << c.options.join(' ').toStdString();
    EXPECT_EQ(one.Settings.FirstStyle, c.style);
    EXPECT_EQ(one.Settings.StyleOrder, c.order);
    EXPECT_EQ(one.Settings.Delay, c.delay);
  }
}

TEST(CommandLine, ToolkitOptionsPassToTheToolkitAndADoubleDashEndsTheOptions) {
  const TCommandLine line = Parse({"-platform", "offscreen", "--", "-folder"});
  ASSERT_EQ(line.Action, TAction::Run) << line.Text.toStdString();
  EXPECT_EQ(line.Arguments, QStringList{"-folder"});
  EXPECT_EQ(line.ToolkitArguments, QStringList({"/opt/x/Project22", "-platform", "offscreen"}));
  // --style is ours: the toolkit never sees it.
  EXPECT_EQ(Parse({"--style", "4"}).ToolkitArguments, QStringList{"/opt/x/Project22"});
}

// Each bad value with the words its one-line message must hold.
const struct {
  QStringList options;
  const char* says;
} kBadValues[] = {
    {{"--interval", "x"}, "--interval: 'x'"},
    {{"--interval", "0.4"}, "--interval: '0.4'"},
    {{"--interval", "9.6"}, "--interval: '9.6'"},
    {{"--interval", "nan"}, "--interval: 'nan'"},
    {{"--interval"}, "--interval"},
    {{"--style", "0"}, "--style: '0'"},
    {{"--style", "173"}, "--style: '173'"},
    {{"--style", "1.5"}, "--style: '1.5'"},
    {{"--style", ""}, "--style: ''"},
    {{"--order", "Random"}, "--order: 'Random'"},
    {{"--transition-ms", "4"}, "--transition-ms: '4'"},
    {{"--transition-ms", "1001"}, "--transition-ms: '1001'"},
    {{"--transition-ms", "2e2"}, "--transition-ms: '2e2'"},
    {{"--speed", "3"}, "'speed'"},
};

TEST(CommandLine, BadValuesAreRefusedWithOneLineNamingTheOption) {
  for (const auto& c : kBadValues) {
    const TCommandLine line = Parse(c.options);
    EXPECT_EQ(line.Action, TAction::Fail) << c.options.join(' ').toStdString();
    EXPECT_TRUE(line.Text.startsWith("Project22: ")) << line.Text.toStdString();
    EXPECT_TRUE(line.Text.contains(QString::fromUtf8(c.says))) << line.Text.toStdString();
    EXPECT_FALSE(line.Text.contains(u'\n')) << line.Text.toStdString();
  }
}

TEST(CommandLine, HelpAndVersion) {
  const TCommandLine help = Parse({"folder", "--help"});
  ASSERT_EQ(help.Action, TAction::ShowHelp);
  EXPECT_TRUE(help.Text.startsWith("Usage: Project22 [options] [FOLDER|PHOTO]")) << help.Text.toStdString();
  EXPECT_EQ(Parse({"-h"}).Action, TAction::ShowHelp);
  const TCommandLine version = Parse({"--version"});
  ASSERT_EQ(version.Action, TAction::ShowVersion);
  EXPECT_TRUE(version.Text.startsWith("Project22 ")) << version.Text.toStdString();
}

// The real program, with no display and the X11 platform asked for: a window
// (or the toolkit's start) would end it with an error status of its own.
struct TRun {
  int status = -1;
  QString out, err;
};

TRun RunProgram(const QStringList& arguments) {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove("DISPLAY");
  environment.remove("WAYLAND_DISPLAY");
  environment.insert("QT_QPA_PLATFORM", "xcb");
  QTemporaryDir config;
  environment.insert("XDG_CONFIG_HOME", config.path());
  process.setProcessEnvironment(environment);
  process.start(PROJECT22_PROGRAM, arguments);
  if (!process.waitForFinished(20000)) {
    process.kill();
    process.waitForFinished();
    return {};
  }
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          QString::fromLocal8Bit(process.readAllStandardOutput()),
          QString::fromLocal8Bit(process.readAllStandardError())};
}

TEST(Program, HelpPrintsEveryOptionAndExitsZero) {
  const TRun run = RunProgram({"--help"});
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  for (const char* option : {"--help", "--version", "--fullscreen", "--interval <SECONDS>", "--style <N>",
                             "--order <catalogue|random|fixed>", "--transition-ms <MS>", "--recursive",
                             "--reset-settings", "FOLDER", "PHOTO"}) {
    EXPECT_TRUE(run.out.contains(QString::fromUtf8(option))) << option;
  }
  EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
  const TRun version = RunProgram({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_TRUE(version.out.startsWith("Project22 "));
}

TEST(Program, EachBadValueExitsTwoWithItsMessageBeforeAnyWindow) {
  for (const auto& c : kBadValues) {
    const TRun run = RunProgram(c.options);
    EXPECT_EQ(run.status, app::kBadCommandLineStatus) << c.options.join(' ').toStdString() << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(run.err.count(u'\n'), 1) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.says))) << run.err.toStdString();
  }
}

// A value holding a terminal's escape sequence (set the window title) is
// shown with its control characters escaped.
TEST(Program, ControlCharactersOfValuesAreShownEscaped) {
  const TRun run = RunProgram({"--style", "\x1b]0;owned\x07"});
  EXPECT_EQ(run.status, app::kBadCommandLineStatus);
  EXPECT_FALSE(run.err.contains(QChar(0x1b))) << run.err.toStdString();
  EXPECT_FALSE(run.err.contains(QChar(0x07))) << run.err.toStdString();
  EXPECT_TRUE(run.err.contains("'\\x1B]0;owned\\x07'")) << run.err.toStdString();
}

}  // namespace
}  // namespace app_test

namespace app_test {
namespace {

// The real program on the offscreen platform, with a settings file that is
// not what it wrote: one line on stderr, and it goes on running.
TEST(Program, ADamagedSettingsFileNeitherStopsNorCrashesTheStart) {
  QTemporaryDir config;
  QDir().mkpath(config.filePath("Project22"));
  QByteArray garbage("[Panel]\nStep=999\n");
  for (int i = 0; i < 2000; ++i) garbage.append(static_cast<char>((i * 131) % 256));
  Touch(config.filePath("Project22/Project22.ini"), garbage);

  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  environment.insert("XDG_CONFIG_HOME", config.path());
  process.setProcessEnvironment(environment);
  process.start(PROJECT22_PROGRAM, {config.path()});
  ASSERT_TRUE(process.waitForStarted());
  EXPECT_FALSE(process.waitForFinished(3000)) << process.readAllStandardError().toStdString();
  EXPECT_EQ(process.state(), QProcess::Running);
  process.kill();
  process.waitForFinished();
  const QString err = QString::fromLocal8Bit(process.readAllStandardError());
  EXPECT_TRUE(
      err.contains("Project22: the settings file " + config.filePath("Project22/Project22.ini") + " is damaged"))
      << err.toStdString();
  EXPECT_TRUE(err.contains("Panel/Step")) << err.toStdString();
}

}  // namespace
}  // namespace app_test
