#include "app/command_line.h"

#include <QCommandLineParser>
#include <cmath>

namespace app {
namespace {

const QString kOrderNames[] = {QStringLiteral("catalogue"), QStringLiteral("random"), QStringLiteral("fixed")};

// The toolkit's own options, which it takes from the command line itself;
// accepted here so that they do not count as unknown.
// (-style is not among them: --style is ours.)
const char* const kToolkitValueOptions[] = {
    "platform",   "platformpluginpath", "platformtheme", "plugin",      "display",
    "stylesheet", "qwindowgeometry",    "qwindowtitle",  "qwindowicon", "session"};
const char* const kToolkitFlagOptions[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

QString Program(const QStringList& arguments) {
  return arguments.isEmpty() ? QStringLiteral("Project22") : arguments.constFirst().section(u'/', -1);
}

// A whole number within [min, max], written in plain digits.
std::optional<int> WholeNumber(const QString& text, int min, int max) {
  bool ok = false;
  const int value = text.trimmed().toInt(&ok);
  if (!ok || value < min || value > max) return std::nullopt;
  return value;
}

// Seconds ("3", "2.5") within the display interval's range, as milliseconds.
std::optional<int> IntervalSeconds(const QString& text) {
  bool ok = false;
  const double seconds = text.trimmed().toDouble(&ok);
  if (!ok || !std::isfinite(seconds)) return std::nullopt;
  const double ms = std::round(seconds * 1000.0);
  if (ms < kMinIntervalMs || ms > kMaxIntervalMs) return std::nullopt;
  return static_cast<int>(ms);
}

struct TOptions {
  QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help and exit.")};
  QCommandLineOption version{QStringLiteral("version"), QStringLiteral("Show the program's version and exit.")};
  QCommandLineOption fullScreen{QStringLiteral("fullscreen"), QStringLiteral("Start in full screen.")};
  QCommandLineOption interval{QStringLiteral("interval"),
                              QStringLiteral("Seconds each photo stays on screen, 0.5 to 9.5."),
                              QStringLiteral("SECONDS")};
  QCommandLineOption style{QStringLiteral("style"), QStringLiteral("Transition style of the first photo, 1 to 172."),
                           QStringLiteral("N")};
  QCommandLineOption order{QStringLiteral("order"),
                           QStringLiteral("How styles follow each other: catalogue, random or fixed."),
                           QStringLiteral("catalogue|random|fixed")};
  QCommandLineOption transitionMs{QStringLiteral("transition-ms"),
                                  QStringLiteral("Milliseconds between two frames of a transition, 5 to 1000."),
                                  QStringLiteral("MS")};
  QCommandLineOption recursive{QStringLiteral("recursive"),
                               QStringLiteral("Play the photos of sub-folders too (symbolic links to folders are not "
                                              "followed).")};
  QCommandLineOption resetSettings{QStringLiteral("reset-settings"),
                                   QStringLiteral("Forget the remembered settings and start with the defaults.")};
};

// The toolkit's options as it reads them, after the program's name.
QStringList ToolkitArguments(const QCommandLineParser& parser, const QString& program) {
  QStringList arguments{program};
  for (const char* name : kToolkitValueOptions) {
    for (const QString& value : parser.values(QString::fromLatin1(name))) {
      arguments << u'-' + QString::fromLatin1(name) << value;
    }
  }
  for (const char* name : kToolkitFlagOptions) {
    if (parser.isSet(QString::fromLatin1(name))) arguments << u'-' + QString::fromLatin1(name);
  }
  return arguments;
}

void AddToolkitOptions(QCommandLineParser& parser) {
  for (const char* name : kToolkitValueOptions) {
    QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }
  for (const char* name : kToolkitFlagOptions) {
    QCommandLineOption option(QString::fromLatin1(name));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }
}

// Reads the values of the setting options; the first bad one is the error.
QString ReadSettings(const QCommandLineParser& parser, const TOptions& o, TCommandLine& result) {
  TStartSettings& s = result.Settings;
  if (parser.isSet(o.fullScreen)) s.FullScreen = true;
  if (parser.isSet(o.interval)) {
    s.IntervalMs = IntervalSeconds(parser.value(o.interval));
    if (!s.IntervalMs)
      return QStringLiteral("--interval: '%1' is not a number of seconds from 0.5 to 9.5")
          .arg(parser.value(o.interval));
  }
  if (parser.isSet(o.style)) {
    s.FirstStyle = WholeNumber(parser.value(o.style), 1, kLastStyle);
    if (!s.FirstStyle)
      return QStringLiteral("--style: '%1' is not a style number from 1 to 172").arg(parser.value(o.style));
  }
  if (parser.isSet(o.order)) {
    const QString name = parser.value(o.order);
    for (int i = 0; i < 3; ++i) {
      if (name == kOrderNames[i]) s.StyleOrder = static_cast<video_export::StyleOrder>(i);
    }
    if (!s.StyleOrder) return QStringLiteral("--order: '%1' is not one of catalogue, random, fixed").arg(name);
  }
  if (parser.isSet(o.transitionMs)) {
    s.Delay = WholeNumber(parser.value(o.transitionMs), kMinDelay, kMaxDelay);
    if (!s.Delay) {
      return QStringLiteral("--transition-ms: '%1' is not a whole number of milliseconds from 5 to 1000")
          .arg(parser.value(o.transitionMs));
    }
  }
  result.Recursive = parser.isSet(o.recursive);
  result.ResetSettings = parser.isSet(o.resetSettings);
  return {};
}

}  // namespace

TCommandLine ParseCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  // -platform and friends are words, not bundles of one-letter options.
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser.setApplicationDescription(
      QStringLiteral("A photo-album slideshow: the photos of FOLDER, one after another, each brought in by a "
                     "transition effect.\n\nKeys: Right or Page Down next photo, Left or Page Up the one before, "
                     "Space pause or resume,\nF11 or F full screen, + and - display interval, Home first photo, "
                     "Esc leave full screen.\nThe mouse wheel over the photo steps as Right and Left.\nA folder or a "
                     "photo dropped on the window plays the same way as FOLDER or PHOTO."));
  parser.addPositionalArgument(QStringLiteral("FOLDER"),
                               QStringLiteral("The folder of photos to play (default: the last one played, "
                                              "else the album: Photos beside the program, or "
                                              "$XDG_DATA_HOME/vantrel/Photos when installed)."),
                               QStringLiteral("[FOLDER|PHOTO]"));
  parser.addPositionalArgument(QStringLiteral("PHOTO"),
                               QStringLiteral("A photo in place of FOLDER: its folder plays, starting with it."));
  const TOptions o;
  for (const QCommandLineOption* option : {&o.help, &o.version, &o.fullScreen, &o.interval, &o.style, &o.order,
                                           &o.transitionMs, &o.recursive, &o.resetSettings}) {
    parser.addOption(*option);
  }
  AddToolkitOptions(parser);

  TCommandLine result;
  const QString program = Program(arguments);
  if (!parser.parse(arguments)) {
    result.Action = TCommandLine::TAction::Fail;
    result.Text = program + QStringLiteral(": ") + parser.errorText();
    return result;
  }
  if (parser.isSet(o.help)) {
    result.Action = TCommandLine::TAction::ShowHelp;
    // The usage line names the program as it was called, whether or not an
    // application object exists yet.
    const QString text = parser.helpText();
    result.Text = QStringLiteral("Usage: %1 [options] [FOLDER|PHOTO]").arg(program) + text.mid(text.indexOf(u'\n'));
    return result;
  }
  if (parser.isSet(o.version)) {
    result.Action = TCommandLine::TAction::ShowVersion;
    result.Text = program + u' ' + QStringLiteral(VANTREL_VERSION) + u'\n';
    return result;
  }
  const QString error = ReadSettings(parser, o, result);
  if (!error.isEmpty()) {
    result.Action = TCommandLine::TAction::Fail;
    result.Text = program + QStringLiteral(": ") + error;
    return result;
  }
  result.Arguments = parser.positionalArguments();
  result.ToolkitArguments = ToolkitArguments(parser, arguments.isEmpty() ? QString() : arguments.constFirst());
  return result;
}

}  // namespace app
