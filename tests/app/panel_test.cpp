// The panel's logic on the recording backend: start-up order, the grid, the tray icon and the
// auto-hide timer.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>

#include "app/fatal_error.h"
#include "app/panel_application.h"
#include "app/panel_icon.h"
#include "app/texts.h"
#include "app/tray_icon.h"
#include "platform/file_bytes.h"
#include "store/store.h"
#include "tests/app/panel_fixture.h"

namespace app_test {
namespace {

using app::TrayAction;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr std::uint32_t kLeftUp = 0x0202;
constexpr std::uint32_t kLeftDoubleClick = 0x0203;
constexpr std::uint32_t kRightUp = 0x0205;

// The fatal error report of a death test: its text on the standard error stream.
void printReport(const std::string& text) { std::fputs(text.c_str(), stderr); }

// ---------------------------------------------------------------------------------------
// Start-up and lifecycle.

TEST_F(PanelTest, StartLoadsThePanelInsideTheStartupWindowAndNeverShowsTheStartupWindow) {
  makeStore(3, app::panelIconBytes());
  int liveAfterStart = -1;
  backend_.loopScript = [&](FakeBackend& ui) {
    liveAfterStart =
        static_cast<int>(std::count_if(ui.windows.begin(), ui.windows.end(), [](const auto& w) {
          return !w.second.label && w.second.alive && w.second.visible;
        }));
    ui.close(3);  // the panel: Esc, or Windows shutting down
  };
  EXPECT_EQ(app::runPanelApplication(backend_, store_, "C:\\Tools\\iconpanel.exe"), 0);

  // 1 is the owner, 2 the start-up window, 3 the panel, 4 its tile template.
  const auto& log = backend_.log;
  auto at = [&](const std::string& prefix) { return backend_.indexOf(prefix); };
  EXPECT_EQ(log.at(0), "initializeOle");
  EXPECT_EQ(log.at(1), "cd C:\\Tools");
  EXPECT_EQ(log.at(2), "createOwnerWindow 1");
  EXPECT_EQ(log.at(3), "createWindow 2 380x250");
  EXPECT_EQ(log.at(4), "createWindow 3 372x250");
  EXPECT_EQ(log.at(5), "createLabel 4");
  // The panel's created handler, in its order, all before the panel is first shown.
  EXPECT_LT(at("createLabel 4"), at("openDatabase dizhi"));
  EXPECT_LT(at("openDatabase dizhi"), at("tray Add"));
  EXPECT_LT(at("tray Add"), at("registerDropTarget 3"));
  EXPECT_LT(at("registerDropTarget 3"), at("selectDatabase dizhi"));
  EXPECT_LT(at("selectDatabase dizhi"), at("resize 3 372x60"));
  EXPECT_LT(at("resize 3 372x60"), at("show 3"));
  // Then the start-up window goes, before its own load has finished and before the loop.
  EXPECT_LT(at("show 3"), at("destroy 2"));
  EXPECT_LT(at("destroy 2"), at("loop"));
  EXPECT_EQ(backend_.window(2).showCount, 0);
  EXPECT_EQ(liveAfterStart, 1);
  EXPECT_EQ(store_.openedPath, "C:\\Tools\\tubiao\\wenjia.qdb");

  // Closing the panel removes the tray icon, ends the loop and closes the store.
  EXPECT_LT(at("destroy 3"), at("tray Delete"));
  EXPECT_LT(at("tray Delete"), at("quit"));
  EXPECT_EQ(log.back(), "closeAllDatabases");
  EXPECT_EQ(backend_.liveIcons, 0);
  EXPECT_EQ(backend_.window(3).look.left, 774);
  EXPECT_EQ(backend_.window(3).look.top, 415);
  EXPECT_EQ(backend_.window(3).owner, 1u);  // no taskbar button
  EXPECT_EQ(backend_.window(2).owner, 0u);
}

TEST_F(PanelTest, ProgramInADrivesRootUsesTheDriveForItsStore) {
  backend_.loopScript = [](FakeBackend& ui) { ui.close(3); };
  app::runPanelApplication(backend_, store_, "C:\\iconpanel.exe");
  EXPECT_EQ(store_.openedPath, "C:\\tubiao\\wenjia.qdb");
  EXPECT_EQ(backend_.log.at(1), "cd C:\\");
}

TEST_F(PanelTest, AMissingStoreStillShowsAnEmptyPanelWithItsTrayIcon) {
  loadPanel();  // no store file: the open fails
  EXPECT_EQ(backend_.logged("tray Add").size(), 1u);
  EXPECT_EQ(backend_.window(panelWindow()).height, 250);  // the height is not touched
  EXPECT_TRUE(panel_->tiles().empty());
  EXPECT_EQ(backend_.liveLabelCount(panelWindow()), 1);  // the template alone
  EXPECT_TRUE(backend_.window(panelWindow()).visible);
}

TEST_F(PanelTest, AStartupWindowThatCannotBeCreatedEndsWithTheFatalReport) {
  app::setFatalErrorPresenter(&printReport);
  backend_.refuseWindows = true;
  const std::string expected = app::fatalErrorText(0, app::texts::kStartupWindowNotLoaded);
  EXPECT_EXIT(app::runPanelApplication(backend_, store_, "C:\\iconpanel.exe"),
              ::testing::ExitedWithCode(255), HasSubstr(expected));
}

TEST_F(PanelTest, SettingsOfAWindowThatIsNotLoadedAreAFatalError) {
  app::setFatalErrorPresenter(&printReport);
  loadPanel();
  const std::string expected = app::fatalErrorText(0, app::texts::kWindowNotLoaded);
  EXPECT_EXIT(windowing_->readSetting(99, 0, 3), ::testing::ExitedWithCode(255),
              HasSubstr(expected));
  EXPECT_EXIT(windowing_->writeSetting(99, 0, 3, 1), ::testing::ExitedWithCode(255),
              HasSubstr(expected));
}

// ---------------------------------------------------------------------------------------
// The grid.

struct GridCase {
  int entries;
  int height;
};

class GridTest : public PanelTest, public ::testing::WithParamInterface<GridCase> {};

TEST_P(GridTest, HeightAndPlacesFollowTheNumberOfEntries) {
  const GridCase c = GetParam();
  makeStore(c.entries, app::panelIconBytes());
  loadPanel();
  EXPECT_EQ(backend_.window(panelWindow()).height, c.height);
  EXPECT_EQ(backend_.window(panelWindow()).width, 372);
  ASSERT_EQ(panel_->tiles().size(), static_cast<std::size_t>(c.entries));
  for (int i = 0; i < c.entries; ++i) {
    SCOPED_TRACE(i + 1);
    const FakeBackend::Window& tile = tileWindow(static_cast<std::size_t>(i));
    EXPECT_EQ(tile.left, i % 5 * 64 + 8);
    EXPECT_EQ(tile.top, i / 5 * 64 + 8);
    EXPECT_EQ(tile.width, 80);
    EXPECT_EQ(tile.height, 72);
    EXPECT_TRUE(tile.visible);
    EXPECT_EQ(tile.pictureMode, 2);
    EXPECT_EQ(tile.picture, app::panelIconBytes());
  }
  EXPECT_FALSE(backend_.window(tileTemplate()).visible);
  EXPECT_EQ(backend_.liveLabelCount(panelWindow()), c.entries + 1);
}

INSTANTIATE_TEST_SUITE_P(Entries, GridTest,
                         ::testing::Values(GridCase{0, 0}, GridCase{1, 20}, GridCase{5, 100},
                                           GridCase{6, 120}, GridCase{7, 140}, GridCase{23, 459}),
                         [](const auto& info) { return std::to_string(info.param.entries); });

TEST_F(PanelTest, TilesCarryTheirProgramAsTagAndStackLaterEntriesInFront) {
  makeStore(7, app::panelIconBytes());
  loadPanel();
  ASSERT_EQ(panel_->tiles().size(), 7u);
  for (int i = 0; i < 7; ++i) {
    const app::ControlRef& tile = panel_->tiles()[static_cast<std::size_t>(i)];
    EXPECT_EQ(app::textOf(windowing_->readSetting(tile.window, tile.control, app::common::kTag)),
              "C:\\Programs\\" + std::to_string(i + 1) + ".exe");
  }
  // Front to back: the template, then the tiles from the last entry to the first.
  std::vector<app::NativeWindow> expected = {tileTemplate()};
  for (int i = 6; i >= 0; --i) {
    const app::ControlRef& tile = panel_->tiles()[static_cast<std::size_t>(i)];
    expected.push_back(windowing_->nativeControl(tile.window, tile.control));
  }
  EXPECT_EQ(backend_.stacking.at(panelWindow()), expected);
}

TEST_F(PanelTest, AMissingImageFileGivesAVisibleTileWithoutPictureButWithItsTag) {
  makeStore(3, app::panelIconBytes());
  std::remove(imagePath(2).c_str());
  loadPanel();
  ASSERT_EQ(panel_->tiles().size(), 3u);
  EXPECT_TRUE(tileWindow(1).visible);
  EXPECT_TRUE(tileWindow(1).picture.empty());
  EXPECT_FALSE(tileWindow(2).picture.empty());
  const app::ControlRef& second = panel_->tiles()[1];
  EXPECT_EQ(app::textOf(windowing_->readSetting(second.window, second.control, 4)),
            "C:\\Programs\\2.exe");
}

TEST_F(PanelTest, RebuildsReuseTheirTilesAndShowEachEntryOnce) {
  makeStore(7, app::panelIconBytes());
  loadPanel();
  const std::vector<app::ControlRef> first = panel_->tiles();
  const std::vector<FakeBackend::Window> before = [&] {
    std::vector<FakeBackend::Window> windows;
    for (std::size_t i = 0; i < 7; ++i) windows.push_back(tileWindow(i));
    return windows;
  }();
  const std::size_t moves = backend_.logged("move").size();
  const std::size_t pictures = backend_.logged("picture ").size();
  panel_->rebuildTiles();
  EXPECT_EQ(panel_->tiles(), first);
  EXPECT_EQ(backend_.logged("move").size(), moves);             // unchanged places cost nothing
  EXPECT_EQ(backend_.logged("picture ").size(), pictures + 7);  // the bytes are taken anew
  EXPECT_EQ(backend_.liveLabelCount(panelWindow()), 8);
  for (std::size_t i = 0; i < 7; ++i) {
    EXPECT_EQ(tileWindow(i).left, before[i].left);
    EXPECT_EQ(tileWindow(i).top, before[i].top);
    EXPECT_EQ(tileWindow(i).picture, before[i].picture);
  }

  // A new entry gets a new tile, in front of the others; the image is read anew.
  appendEntries(1, platform::Bytes{1, 2, 3});
  platform::writeFileBytes(imagePath(1), platform::Bytes{9});
  panel_->rebuildTiles();
  ASSERT_EQ(panel_->tiles().size(), 8u);
  EXPECT_EQ(backend_.liveLabelCount(panelWindow()), 9);
  EXPECT_EQ(tileWindow(7).left, 136);
  EXPECT_EQ(tileWindow(7).top, 72);
  EXPECT_EQ(tileWindow(0).picture, platform::Bytes{9});
  EXPECT_EQ(backend_.window(panelWindow()).height, 160);
}

TEST_F(PanelTest, ManyRebuildsOfAFullStoreKeepTheNumberOfControls) {
  makeStore(100, platform::Bytes{0, 0, 1, 0});  // small pictures: only the controls count here
  loadPanel();
  ASSERT_EQ(backend_.liveLabelCount(panelWindow()), 101);
  for (int i = 0; i < 200; ++i) panel_->rebuildTiles();
  EXPECT_EQ(backend_.liveLabelCount(panelWindow()), 101);
  EXPECT_EQ(windowing_->controlsOf(panel_->window()).size(), 103u);
}

TEST_F(PanelTest, EntriesAfterTheHundredthGetNoTile) {
  makeStore(105, platform::Bytes{});
  loadPanel();
  EXPECT_EQ(panel_->tiles().size(), 100u);
  EXPECT_EQ(backend_.liveLabelCount(panelWindow()), 101);
  EXPECT_EQ(backend_.window(panelWindow()).height, 2100);
}

TEST_F(PanelTest, ATileThePlatformCannotMakeIsSkippedAndTheRestAreMade) {
  makeStore(3, app::panelIconBytes());
  backend_.failingLabels = {3};  // the template is label 1: entry 2 fails
  loadPanel();
  ASSERT_EQ(panel_->tiles().size(), 3u);
  EXPECT_TRUE(panel_->tiles()[1].empty());
  EXPECT_EQ(tileWindow(2).left, 136);
  panel_->rebuildTiles();  // the next rebuild makes the missing tile
  EXPECT_FALSE(panel_->tiles()[1].empty());
  EXPECT_EQ(tileWindow(1).left, 72);
  EXPECT_EQ(backend_.liveLabelCount(panelWindow()), 4);
}

TEST_F(PanelTest, AFieldThatIsNotATextEndsWithTheTypeMismatchReport) {
  app::setFatalErrorPresenter(&printReport);
  makeStore(2, {}, store::format::FieldType::Int);
  const std::string expected = app::fatalErrorText(5, app::texts::kTypeMismatch);
  EXPECT_EXIT(loadPanel(), ::testing::ExitedWithCode(255), HasSubstr(expected));
}

// ---------------------------------------------------------------------------------------
// The tray icon and the auto-hide timer.

TEST_F(PanelTest, TrayIconShowsThePanelsLastImageWithItsTip) {
  loadPanel();
  ASSERT_EQ(backend_.trayCalls.size(), 1u);
  const auto& [action, record] = backend_.trayCalls[0];
  EXPECT_EQ(action, TrayAction::Add);
  EXPECT_EQ(record.window, panelWindow());
  EXPECT_NE(record.icon, 0u);
  EXPECT_EQ(std::string(record.tip.data()), "\xB5\xE3\xCE\xD2\xD1\xBD");  // 点我呀
  EXPECT_THAT(backend_.iconSizes, ElementsAre(std::make_pair(16, 16)));
}

TEST_F(PanelTest, InstallingAgainModifiesAndInstallingNoIconDeletes) {
  loadPanel();
  windowing_->installTrayIcon(panel_->window(), app::panelIconBytes(), "tip");
  windowing_->installTrayIcon(panel_->window(), platform::Bytes{1, 2, 3}, "tip");
  windowing_->installTrayIcon(panel_->window(), {}, "tip");  // nothing shown: nothing happens
  ASSERT_EQ(backend_.trayCalls.size(), 3u);
  EXPECT_EQ(backend_.trayCalls[1].first, TrayAction::Modify);
  EXPECT_EQ(backend_.trayCalls[2].first, TrayAction::Delete);
  EXPECT_EQ(backend_.liveIcons, 0);
  backend_.close(panelWindow());
  EXPECT_EQ(backend_.trayCalls.size(), 3u);
}

TEST_F(PanelTest, AfterStartThePanelNeverHidesByItself) {
  loadPanel();
  backend_.advance(120000);
  EXPECT_TRUE(backend_.window(panelWindow()).visible);
  EXPECT_TRUE(backend_.logged("startTimer").empty());
}

TEST_F(PanelTest, AClickShowsThePanelAndItHidesTwentySecondsLater) {
  loadPanel();
  backend_.setVisible(panelWindow(), false);
  backend_.trayMouse(panelWindow(), kLeftUp);
  EXPECT_TRUE(backend_.window(panelWindow()).visible);
  EXPECT_LT(backend_.indexOf("show"), backend_.indexOf("startTimer 20000"));
  backend_.advance(19999);
  EXPECT_TRUE(backend_.window(panelWindow()).visible);
  backend_.advance(1);
  EXPECT_FALSE(backend_.window(panelWindow()).visible);
  // The timer keeps running: a tick while hidden changes nothing visible.
  backend_.advance(20000);
  EXPECT_FALSE(backend_.window(panelWindow()).visible);
  EXPECT_EQ(backend_.logged("startTimer").size(), 1u);
}

TEST_F(PanelTest, ASecondClickDoesNotRestartARunningTimer) {
  loadPanel();
  backend_.trayMouse(panelWindow(), kLeftUp);
  backend_.advance(15000);
  backend_.trayMouse(panelWindow(), kRightUp);
  backend_.advance(4999);
  EXPECT_TRUE(backend_.window(panelWindow()).visible);
  backend_.advance(1);  // 5 s after the second click, at the first click's tick
  EXPECT_FALSE(backend_.window(panelWindow()).visible);
  EXPECT_EQ(backend_.logged("startTimer").size(), 1u);
}

TEST_F(PanelTest, ADoubleClickRestartsTheTimer) {
  loadPanel();
  backend_.trayMouse(panelWindow(), kLeftUp);
  backend_.advance(10000);
  // A double click arrives as release, double click, release: periods 20000, 0, 20000.
  backend_.trayMouse(panelWindow(), 0x0201);
  backend_.trayMouse(panelWindow(), kLeftUp);
  backend_.trayMouse(panelWindow(), kLeftDoubleClick);
  backend_.trayMouse(panelWindow(), kLeftUp);
  EXPECT_THAT(backend_.logged("st"),
              ElementsAre("startTimer 20000", "stopTimer", "startTimer 20000"));
  backend_.advance(19999);
  EXPECT_TRUE(backend_.window(panelWindow()).visible);
  backend_.advance(1);
  EXPECT_FALSE(backend_.window(panelWindow()).visible);
}

TEST_F(PanelTest, MouseMovesAndPressesChangeNothing) {
  loadPanel();
  backend_.setVisible(panelWindow(), false);
  const std::size_t calls = backend_.log.size();
  for (std::uint32_t message : {0x0200u, 0x0201u, 0x0204u, 0x0207u, 0x0208u}) {
    backend_.trayMouse(panelWindow(), message);
  }
  EXPECT_EQ(backend_.log.size(), calls);
  backend_.trayMouse(panelWindow(), 0x007B);  // the context-menu key shows it
  EXPECT_TRUE(backend_.window(panelWindow()).visible);
}

TEST_F(PanelTest, DestroyingThePanelStopsItsTimerAndRemovesTheTrayIcon) {
  loadPanel();
  backend_.trayMouse(panelWindow(), kLeftUp);
  const app::NativeWindow panel = panelWindow();
  backend_.close(panel);
  EXPECT_FALSE(windowing_->isLoaded(panel_->window()));
  EXPECT_EQ(backend_.trayCalls.back().first, TrayAction::Delete);
  EXPECT_EQ(backend_.trayCalls.back().second.window, panel);
  EXPECT_EQ(backend_.logged("stopTimer").size(), 1u);
  EXPECT_TRUE(backend_.timers.empty());
  EXPECT_EQ(backend_.liveIcons, 0);
}

}  // namespace
}  // namespace app_test
