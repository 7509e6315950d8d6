// The two window definitions, the limits of a setting write, and the appearance that the
// windowing layer derives from the settings.

#include "app/settings.h"

#include <gtest/gtest.h>

#include "app/icon_choice.h"
#include "app/panel_icon.h"
#include "app/texts.h"
#include "app/window_appearance.h"
#include "app/window_definitions.h"
#include "icons/byte_view.h"

namespace {

using namespace app;

const ObjectDefinition& controlNamed(const WindowDefinition& window, std::string_view name) {
  for (const ObjectDefinition& control : window.controls) {
    if (control.name == name) return control;
  }
  ADD_FAILURE() << "no control " << name;
  return window.window;
}

TEST(SettingLimits, WritesAreLimitedToTheSettingsRange) {
  struct Case {
    ObjectKind kind;
    int number;
    std::int32_t written;
    std::int32_t stored;
  };
  const Case cases[] = {
      {ObjectKind::Window, common::kHeight, 40000, 32627},
      {ObjectKind::Window, common::kHeight, -5, 0},
      {ObjectKind::Window, common::kHeight, 459, 459},
      {ObjectKind::Label, common::kLeft, 40000, 32627},
      {ObjectKind::Label, common::kTop, -40000, -32627},
      {ObjectKind::Label, label_setting::kPictureMode, 7, 2},
      {ObjectKind::Label, label_setting::kPictureMode, -1, 0},
      {ObjectKind::Label, label_setting::kGradientBorderWidth, 2, 5},
      {ObjectKind::Window, window_setting::kBorder, 9, 6},
      {ObjectKind::Window, window_setting::kShape, 30, 29},
      {ObjectKind::Timer, timer_setting::kPeriod, -20, 0},
      {ObjectKind::Timer, timer_setting::kPeriod, 20000, 20000},
  };
  for (const Case& c : cases) {
    auto stored = limitSetting(c.kind, c.number, c.written);
    ASSERT_TRUE(stored) << c.number;
    EXPECT_EQ(integerOf(*stored), c.stored) << "setting " << c.number << " written " << c.written;
  }
}

TEST(SettingLimits, ValuesOfAnotherTypeOrUnknownNumbersAreRefused) {
  EXPECT_FALSE(limitSetting(ObjectKind::Window, common::kHeight, std::string("459")));
  EXPECT_FALSE(limitSetting(ObjectKind::Label, common::kVisible, 1));
  EXPECT_FALSE(limitSetting(ObjectKind::Label, label_setting::kPicture, std::string()));
  EXPECT_FALSE(limitSetting(ObjectKind::Timer, 9, 0));
  EXPECT_FALSE(limitSetting(ObjectKind::Window, -1, 0));
  EXPECT_TRUE(limitSetting(ObjectKind::Label, label_setting::kPicture, platform::Bytes{1, 2}));
}

TEST(WindowDefinitions, PanelDiffersFromTheDefaultsExactlyWhereItShould) {
  const Settings defaults = defaultSettings(ObjectKind::Window);
  const Settings& panel = panelWindowDefinition().window.settings;
  ASSERT_EQ(panel.size(), 32u);
  std::vector<int> differing;
  for (int number = 0; number < 32; ++number) {
    if (panel[number] != defaults[number]) differing.push_back(number);
  }
  // left, top, width and height, then border, colour, control box, minimize, icon, taskbar,
  // drag anywhere.
  EXPECT_EQ(differing, (std::vector<int>{0, 1, 2, 3, 9, 10, 15, 17, 20, 26, 27}));
  EXPECT_EQ(colourOf(panel[window_setting::kBackgroundColour]), rgb(192, 96, 0));
  EXPECT_EQ(colourOf(panel[window_setting::kBackgroundColour]).value, 0x000060C0u);
  EXPECT_EQ(bytesOf(panel[window_setting::kIcon]), panelIconBytes());

  const Settings& startup = startupWindowDefinition().window.settings;
  EXPECT_EQ(integerOf(startup[common::kWidth]), 380);
  EXPECT_EQ(integerOf(startup[window_setting::kBorder]), 2);
  EXPECT_EQ(colourOf(startup[window_setting::kBackgroundColour]), kNoColour);
  EXPECT_TRUE(startupWindowDefinition().controls.empty());
}

TEST(WindowDefinitions, PanelControlsHaveTheirStoredNamesSettingsAndBindings) {
  const WindowDefinition& panel = panelWindowDefinition();
  ASSERT_EQ(panel.controls.size(), 3u);
  EXPECT_EQ(panel.controls[0].name,
            "\xB1\xEA\xC7\xA9"
            "1");  // 标签1
  EXPECT_EQ(panel.controls[1].name,
            "\xCD\xCF\xB7\xC5\xB6\xD4\xCF\xF3"
            "1");  // 拖放对象1
  EXPECT_EQ(panel.controls[2].name,
            "\xCA\xB1\xD6\xD3"
            "1");  // 时钟1

  const ObjectDefinition& tile = controlNamed(panel, texts::kTileTemplateName);
  EXPECT_EQ(tile.kind, ObjectKind::Label);
  EXPECT_EQ(integerOf(tile.settings[common::kTop]), 144);
  EXPECT_EQ(integerOf(tile.settings[common::kWidth]), 80);
  EXPECT_EQ(integerOf(tile.settings[common::kHeight]), 72);
  EXPECT_FALSE(booleanOf(tile.settings[common::kVisible]));
  EXPECT_EQ(textOf(tile.settings[label_setting::kCaption]), "");
  EXPECT_EQ(colourOf(tile.settings[label_setting::kBackgroundColour]), rgb(192, 96, 0));
  EXPECT_EQ(integerOf(tile.settings[label_setting::kPictureMode]), 1);
  EXPECT_TRUE(tile.boundEvents.empty());

  const ObjectDefinition& drop = controlNamed(panel, texts::kFileDropZoneName);
  EXPECT_TRUE(booleanOf(drop.settings[drop_setting::kAcceptText]));
  EXPECT_FALSE(booleanOf(drop.settings[drop_setting::kAcceptHtml]));
  EXPECT_FALSE(booleanOf(drop.settings[drop_setting::kAcceptLinks]));
  EXPECT_TRUE(booleanOf(drop.settings[drop_setting::kAcceptFiles]));
  EXPECT_EQ(drop.boundEvents, std::vector<EventKind>{EventKind::GotFiles});

  const ObjectDefinition& timer = controlNamed(panel, texts::kAutoHideTimerName);
  EXPECT_EQ(integerOf(timer.settings[timer_setting::kPeriod]), 0);
  EXPECT_EQ(timer.boundEvents, std::vector<EventKind>{EventKind::Periodic});

  EXPECT_EQ(panel.window.boundEvents,
            (std::vector<EventKind>{EventKind::Created, EventKind::TrayNotification}));
  EXPECT_EQ(startupWindowDefinition().window.boundEvents,
            std::vector<EventKind>{EventKind::Created});
}

TEST(WindowAppearance, PanelIsAFramelessOwnedRectangleCentredOnTheScreen) {
  const WindowAppearance panel =
      appearanceOf(panelWindowDefinition().window.settings, ScreenSize{1920, 1080});
  EXPECT_EQ(panel.frame, Frame::None);
  EXPECT_FALSE(panel.titleBar);
  EXPECT_FALSE(panel.controlBox);
  EXPECT_FALSE(panel.minimizeButton);
  EXPECT_FALSE(panel.maximizeButton);
  EXPECT_TRUE(panel.owned);
  EXPECT_FALSE(panel.topmost);
  EXPECT_EQ(panel.left, 774);
  EXPECT_EQ(panel.top, 415);
  EXPECT_EQ(panel.width, 372);
  EXPECT_EQ(panel.height, 250);
  EXPECT_EQ(panel.background, rgb(192, 96, 0));
  ASSERT_TRUE(panel.largeIcon && panel.smallIcon);
  EXPECT_EQ(panel.largeIcon->width, 32);
  EXPECT_EQ(panel.smallIcon->width, 16);
  EXPECT_EQ(icons::ByteView(panel.smallIcon->bytes).u16(14), 32);  // the 32-bit image

  const WindowAppearance startup =
      appearanceOf(startupWindowDefinition().window.settings, ScreenSize{1920, 1080});
  EXPECT_EQ(startup.frame, Frame::Dialog);
  EXPECT_TRUE(startup.titleBar);
  EXPECT_TRUE(startup.controlBox);
  EXPECT_TRUE(startup.minimizeButton);
  EXPECT_FALSE(startup.maximizeButton);
  EXPECT_FALSE(startup.owned);
  EXPECT_EQ(startup.left, 770);
  EXPECT_EQ(startup.top, 415);
}

TEST(WindowAppearance, CentringTruncatesTowardZeroAndStartPositionsApply) {
  Settings window = defaultSettings(ObjectKind::Window);
  window[common::kLeft] = 50;
  window[common::kTop] = 60;
  window[common::kWidth] = 373;
  window[common::kHeight] = 1200;  // taller than the screen: a negative top
  WindowAppearance centred = appearanceOf(window, ScreenSize{1920, 1080});
  EXPECT_EQ(centred.left, 773);  // 1547 / 2
  EXPECT_EQ(centred.top, -60);

  window[window_setting::kStartPosition] = 0;
  EXPECT_EQ(appearanceOf(window, {}).left, 50);
  EXPECT_EQ(appearanceOf(window, {}).top, 60);
  window[window_setting::kStartPosition] = 2;
  EXPECT_EQ(appearanceOf(window, {}).start, StartState::Minimized);
  window[window_setting::kStartPosition] = 3;  // only with a sizable border
  EXPECT_EQ(appearanceOf(window, {}).start, StartState::Normal);
  window[window_setting::kBorder] = 1;
  EXPECT_EQ(appearanceOf(window, {}).start, StartState::Maximized);
}

TEST(WindowAppearance, TitleBarNeedsABorderAndATitleOrControlBox) {
  Settings window = defaultSettings(ObjectKind::Window);
  window[window_setting::kControlBox] = false;
  EXPECT_FALSE(appearanceOf(window, {}).titleBar);
  window[window_setting::kTitle] = std::string("x");
  EXPECT_TRUE(appearanceOf(window, {}).titleBar);
  EXPECT_FALSE(appearanceOf(window, {}).controlBox);
  window[window_setting::kBorder] = 0;
  EXPECT_FALSE(appearanceOf(window, {}).titleBar);
}

// The icon file holds the eleven images in their order, sizes, depths and storage.
TEST(PanelIcon, HoldsElevenImagesInTheirOrder) {
  const platform::Bytes& icon = panelIconBytes();
  icons::ByteView view(icon);
  ASSERT_EQ(view.u16(0), 0);
  ASSERT_EQ(view.u16(2), 1);
  ASSERT_EQ(view.u16(4), 11);
  struct Image {
    int side, bits;
    std::uint32_t bytes;  // 0 for the PNG image, whose size depends on the artwork
  };
  const Image expected[] = {{48, 8, 3752},  {32, 8, 2216},    {24, 8, 1736},   {16, 8, 1384},
                            {256, 32, 0},   {128, 32, 67624}, {64, 32, 16936}, {48, 32, 9640},
                            {32, 32, 4264}, {24, 32, 2440},   {16, 32, 1128}};
  std::uint32_t nextOffset = 6 + 11 * 16;
  for (int i = 0; i < 11; ++i) {
    const std::size_t entry = 6 + 16 * static_cast<std::size_t>(i);
    SCOPED_TRACE(i + 1);
    EXPECT_EQ(view.u8(entry), expected[i].side % 256);
    EXPECT_EQ(view.u8(entry + 1), expected[i].side % 256);
    EXPECT_EQ(view.u8(entry + 2), 0);   // colour count
    EXPECT_EQ(view.u16(entry + 4), 1);  // planes
    EXPECT_EQ(view.u16(entry + 6), expected[i].bits);
    const std::uint32_t size = *view.u32(entry + 8);
    const std::uint32_t offset = *view.u32(entry + 12);
    EXPECT_EQ(offset, nextOffset);
    nextOffset = offset + size;
    auto image = view.range(offset, size);
    ASSERT_TRUE(image);
    icons::ByteView bitmap(*image);
    if (expected[i].bytes == 0) {
      EXPECT_EQ(bitmap.u32BigEndian(0), 0x89504E47u);  // PNG
      EXPECT_EQ(bitmap.u32BigEndian(16), 256u);
      EXPECT_EQ(bitmap.u8(25), 6);  // colour type: RGB with alpha
    } else {
      EXPECT_EQ(size, expected[i].bytes);
      EXPECT_EQ(bitmap.u32(4), static_cast<std::uint32_t>(expected[i].side));
      EXPECT_EQ(bitmap.u32(8), static_cast<std::uint32_t>(expected[i].side * 2));
      EXPECT_EQ(bitmap.u16(14), expected[i].bits);
    }
  }
  EXPECT_EQ(nextOffset, icon.size());
}

}  // namespace
