#include "export/export_settings.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "export/export_error.h"

namespace video_export {
namespace {

ExportSettings Valid() {
  ExportSettings settings;
  settings.folder = "/photos";
  settings.output = "show.mp4";
  return settings;
}

void FixedStyle(ExportSettings& settings, int32_t style) {
  settings.order = StyleOrder::Fixed;
  settings.style = style;
}

// A value that cannot make a video is refused with a message naming it;
// the limits themselves are accepted.
TEST(ExportSettings, RefusesWhatCannotMakeAVideoAndNamesIt) {
  struct Case {
    const char* what;
    std::function<void(ExportSettings&)> change;
    const char* message;  // nullptr: accepted
  };
  const Case cases[] = {
      {"the defaults", [](ExportSettings&) {}, nullptr},
      {"smallest size", [](ExportSettings& s) { s.width = s.height = 2; }, nullptr},
      {"largest size", [](ExportSettings& s) { s.width = s.height = 8192; }, nullptr},
      {"zero width", [](ExportSettings& s) { s.width = 0; }, "0x1080"},
      {"negative height", [](ExportSettings& s) { s.height = -2; }, "1920x-2"},
      {"too wide", [](ExportSettings& s) { s.width = 8194; }, "8194x1080"},
      {"odd width", [](ExportSettings& s) { s.width = 641; }, "even"},
      {"odd height", [](ExportSettings& s) { s.height = 479; }, "even"},
      {"1 fps", [](ExportSettings& s) { s.fps = 1; }, nullptr},
      {"0 fps", [](ExportSettings& s) { s.fps = 0; }, "frame rate 0"},
      {"too many fps", [](ExportSettings& s) { s.fps = 241; }, "frame rate 241"},
      {"negative interval", [](ExportSettings& s) { s.intervalSeconds = -1; }, "interval"},
      {"interval over an hour", [](ExportSettings& s) { s.intervalSeconds = 3601; }, "interval"},
      {"negative transition", [](ExportSettings& s) { s.transitionMs = -1; }, "transition"},
      {"transition over a minute", [](ExportSettings& s) { s.transitionMs = 60001; }, "transition"},
      {"no frames at all",
       [](ExportSettings& s) {
         s.intervalSeconds = 0;
         s.transitionMs = 0;
       },
       "no frames"},
      {"cut", [](ExportSettings& s) { FixedStyle(s, 0); }, nullptr},
      {"last style", [](ExportSettings& s) { FixedStyle(s, 172); }, nullptr},
      {"style past the catalogue", [](ExportSettings& s) { FixedStyle(s, 173); }, "style 173"},
      {"negative style", [](ExportSettings& s) { FixedStyle(s, -1); }, "style -1"},
      {"style unused when cycling", [](ExportSettings& s) { s.style = 999; }, nullptr},
      {"WebM", [](ExportSettings& s) { s.output = "show.webm"; }, nullptr},
      {"Matroska", [](ExportSettings& s) { s.output = "show.mkv"; }, nullptr},
      {"unknown extension", [](ExportSettings& s) { s.output = "show.avi"; }, "avi"},
      {"no extension", [](ExportSettings& s) { s.output = "show"; }, ".mp4, .mkv or .webm"},
      {"extension in capitals", [](ExportSettings& s) { s.output = "SHOW.MP4"; }, nullptr},
  };
  for (const Case& c : cases) {
    ExportSettings settings = Valid();
    c.change(settings);
    if (c.message == nullptr) {
      EXPECT_NO_THROW(ValidateSettings(settings)) << c.what;
      continue;
    }
    try {
      ValidateSettings(settings);
      ADD_FAILURE() << c.what << ": accepted";
    } catch (const ExportError& error) {
      EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos)
          << c.what << ": the message reads \"" << error.what() << "\"";
    }
  }
}

// The placements are named after the view's switches.
TEST(ExportSettings, PlacementsMapOntoTheViewsSwitches) {
  struct Case {
    PhotoPlacement placement;
    bool center, stretch, proportional;
  };
  for (const Case& c :
       {Case{PhotoPlacement::Centre, true, false, false}, Case{PhotoPlacement::Stretch, true, true, false},
        Case{PhotoPlacement::Fit, true, true, true}}) {
    const raster::PlacementRule rule = RuleFor(c.placement);
    EXPECT_EQ(rule.center, c.center);
    EXPECT_EQ(rule.stretch, c.stretch);
    EXPECT_EQ(rule.proportional, c.proportional);
  }
}

}  // namespace
}  // namespace video_export
