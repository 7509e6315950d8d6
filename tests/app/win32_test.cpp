// The Windows user interface in process, under Wine with a display: the panel's window, the
// tile painting, the notification-area record and the fatal error report's box.

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it builds on.
#include <shellapi.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "app/entry_store.h"
#include "app/fatal_error.h"
#include "app/panel.h"
#include "app/panel_application.h"
#include "app/panel_icon.h"
#include "app/texts.h"
#include "app/tray_icon.h"
#include "app/win32/win32_backend.h"
#include "app/window_definitions.h"
#include "app/windowing.h"
#include "platform/file_bytes.h"
#include "store/create_database.h"
#include "store/store.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_folder.h"

namespace {

constexpr COLORREF kPanelBrown = RGB(192, 96, 0);
constexpr char kChildVariable[] = "ICONPANEL_FATAL_CHILD";
// More than any address space holds.
constexpr std::size_t kHugeRequest = SIZE_MAX / 2;

// ---------------------------------------------------------------------------------------
// Fixtures made by the tests.

void put16(platform::Bytes& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}
void put32(platform::Bytes& out, std::uint32_t value) {
  put16(out, value & 0xFFFF);
  put16(out, value >> 16);
}

// An icon file of one 32-bit image of `side` pixels in one colour; with `clearCorner` its
// top-left pixel is transparent, by alpha and by mask.
platform::Bytes solidIcon(int side, COLORREF colour, bool clearCorner) {
  const auto s = static_cast<std::uint32_t>(side);
  const std::uint32_t maskStride = (s + 31) / 32 * 4;
  platform::Bytes image;
  put32(image, 40);
  put32(image, s);
  put32(image, s * 2);
  put16(image, 1);
  put16(image, 32);
  put32(image, 0);
  put32(image, s * s * 4 + maskStride * s);
  image.resize(40, 0);
  for (std::uint32_t row = 0; row < s; ++row) {  // bottom row first
    for (std::uint32_t x = 0; x < s; ++x) {
      const bool clear = clearCorner && row == s - 1 && x == 0;
      image.insert(image.end(), {GetBValue(colour), GetGValue(colour), GetRValue(colour),
                                 static_cast<std::uint8_t>(clear ? 0 : 255)});
    }
  }
  for (std::uint32_t row = 0; row < s; ++row) {
    platform::Bytes line(maskStride, 0);
    if (clearCorner && row == s - 1) line[0] = 0x80;
    image.insert(image.end(), line.begin(), line.end());
  }
  platform::Bytes file;
  put16(file, 0);
  put16(file, 1);
  put16(file, 1);
  file.insert(file.end(),
              {static_cast<std::uint8_t>(side % 256), static_cast<std::uint8_t>(side % 256), 0, 0});
  put16(file, 1);
  put16(file, 32);
  put32(file, static_cast<std::uint32_t>(image.size()));
  put32(file, 22);
  file.insert(file.end(), image.begin(), image.end());
  return file;
}

// A store of `count` entries at folder\tubiao\wenjia.qdb, every image file holding `image`.
void makeStore(const testing_support::TempFolder& folder, int count, const platform::Bytes& image) {
  using store::format::FieldType;
  ::CreateDirectoryA(folder.file("tubiao").c_str(), nullptr);
  const std::string path = folder.file("tubiao\\wenjia.qdb");
  ASSERT_EQ(store::createDatabase(path, {{"xuhao", FieldType::Text, 12},
                                         {"wenjian", FieldType::Text, 200},
                                         {"tubiao", FieldType::Text, 200}}),
            0);
  ASSERT_TRUE(store::openDatabase(path, "fixture"));
  for (int i = 0; i < count; ++i) {
    const std::string picture = folder.file("tubiao\\" + std::to_string(i) + ".jpg");
    ASSERT_TRUE(platform::writeFileBytes(picture, image));
    ASSERT_TRUE(
        store::appendRecord({std::to_string(i), "C:\\p" + std::to_string(i) + ".exe", picture}));
  }
  store::closeAllDatabases();
}

// Runs the message loop until `done` holds or a second has passed.
bool pumpUntil(const std::function<bool()>& done) {
  const DWORD start = ::GetTickCount();
  MSG message;
  while (!done()) {
    if (::GetTickCount() - start > 1000) return false;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
    ::Sleep(1);
  }
  return true;
}

std::vector<HWND> childrenOf(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

// ---------------------------------------------------------------------------------------
// The panel on the real backend.

class PanelWindowTest : public ::testing::Test {
 protected:
  void load(int entries, const platform::Bytes& image = app::panelIconBytes()) {
    makeStore(folder_, entries, image);
    windowing_ = std::make_unique<app::Windowing>(*backend_);
    windowing_->createOwnerWindow();
    panel_ =
        std::make_unique<app::Panel>(*windowing_, app::storeRegistry(), folder_.path().string());
    ASSERT_NE(panel_->load(), 0);
    window_ = reinterpret_cast<HWND>(windowing_->nativeWindow(panel_->window()));
    ASSERT_TRUE(window_);
  }
  void TearDown() override {
    panel_.reset();
    windowing_.reset();
    backend_.reset();
    store::closeAllDatabases();
  }

  testing_support::TempFolder folder_;
  std::unique_ptr<app::Backend> backend_ = app::win32::createBackend();
  std::unique_ptr<app::Windowing> windowing_;
  std::unique_ptr<app::Panel> panel_;
  HWND window_ = nullptr;
};

TEST_F(PanelWindowTest, PanelIsAnOwnedFramelessRectangleCentredForItsFirstHeight) {
  load(7);
  const LONG style = ::GetWindowLongA(window_, GWL_STYLE);
  const LONG extended = ::GetWindowLongA(window_, GWL_EXSTYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_TRUE(style & WS_VISIBLE);
  EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_DLGFRAME | WS_SYSMENU |
                        WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_FALSE(extended & (WS_EX_TOPMOST | WS_EX_APPWINDOW | WS_EX_TOOLWINDOW |
                           WS_EX_DLGMODALFRAME | WS_EX_CLIENTEDGE));

  HWND owner = ::GetWindow(window_, GW_OWNER);
  ASSERT_TRUE(owner);
  EXPECT_TRUE(::GetWindowLongA(owner, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_FALSE(::IsWindowVisible(owner));
  RECT ownerRect;
  ::GetWindowRect(owner, &ownerRect);
  EXPECT_TRUE(::IsRectEmpty(&ownerRect));

  const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
  RECT rect;
  ::GetWindowRect(window_, &rect);
  EXPECT_EQ(rect.left, (screenWidth - 372) / 2);
  EXPECT_EQ(rect.top, (screenHeight - 250) / 2);  // the place computed for the height 250
  EXPECT_EQ(rect.right - rect.left, 372);
  EXPECT_EQ(rect.bottom - rect.top, 140);
  if (screenWidth == 1920 && screenHeight == 1080) {
    EXPECT_EQ(rect.left, 774);
    EXPECT_EQ(rect.top, 415);
  }
  RECT client;
  ::GetClientRect(window_, &client);
  EXPECT_EQ(client.right, 372);  // no frame: the client area is the window
  EXPECT_EQ(::SendMessageA(window_, WM_GETFONT, 0, 0),
            reinterpret_cast<LRESULT>(::GetStockObject(DEFAULT_GUI_FONT)));
  EXPECT_NE(::SendMessageA(window_, WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_NE(::SendMessageA(window_, WM_GETICON, ICON_SMALL, 0), 0);
}

TEST_F(PanelWindowTest, TilesStackBehindTheTemplateAndRebuildsKeepTheirNumber) {
  load(12);
  std::vector<HWND> children = childrenOf(window_);  // front to back
  ASSERT_EQ(children.size(), 13u);
  HWND tileTemplate = reinterpret_cast<HWND>(windowing_->nativeControl(panel_->window(), 1));
  EXPECT_EQ(children.front(), tileTemplate);
  EXPECT_FALSE(::IsWindowVisible(tileTemplate));
  for (std::size_t i = 1; i < children.size(); ++i) {
    const app::ControlRef& tile = panel_->tiles()[children.size() - 1 - i];
    EXPECT_EQ(children[i],
              reinterpret_cast<HWND>(windowing_->nativeControl(tile.window, tile.control)));
    EXPECT_TRUE(::IsWindowVisible(children[i]));
  }
  RECT last;
  ::GetWindowRect(children[1], &last);
  ::MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&last), 2);
  EXPECT_EQ(last.left, 72);  // entry 12: second column, third row
  EXPECT_EQ(last.top, 136);
  EXPECT_EQ(last.right - last.left, 80);
  EXPECT_EQ(last.bottom - last.top, 72);

  for (int i = 0; i < 5; ++i) panel_->rebuildTiles();
  EXPECT_EQ(childrenOf(window_), children);
}

TEST_F(PanelWindowTest, TrayClickShowsThePanelAndStartsTheTimer) {
  load(1);
  windowing_->writeSetting(panel_->window(), 0, app::common::kVisible, false);
  EXPECT_FALSE(::IsWindowVisible(window_));
  ::PostMessageA(window_, app::kTrayCallbackMessage, app::kTrayIconId, WM_MOUSEMOVE);
  ::PostMessageA(window_, app::kTrayCallbackMessage, app::kTrayIconId, WM_LBUTTONUP);
  EXPECT_TRUE(pumpUntil([&] { return ::IsWindowVisible(window_) != FALSE; }));
  const app::ControlId timer =
      windowing_->findControl(panel_->window(), app::texts::kAutoHideTimerName);
  // The timer runs under the timer control's number; stopping it here proves it was started.
  EXPECT_TRUE(::KillTimer(window_, static_cast<UINT_PTR>(timer)));
}

// ---------------------------------------------------------------------------------------
// The whole start, from the start-up window to the end of the message loop.

struct StartWatch {
  std::vector<std::pair<HWND, RECT>> shown;  // top-level windows of ours, as they were shown
  int liveWhileRunning = -1;                 // our top-level windows once the loop runs
};
StartWatch watch;

bool isOurWindow(HWND window) {
  char name[32] = {};
  ::GetClassNameA(window, name, sizeof name);
  return std::strcmp(name, "IconpanelWindow") == 0;
}

LRESULT CALLBACK watchShows(int code, WPARAM wParam, LPARAM lParam) {
  const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && call->message == WM_SHOWWINDOW && call->wParam &&
      isOurWindow(call->hwnd)) {
    RECT rect;
    ::GetWindowRect(call->hwnd, &rect);
    watch.shown.emplace_back(call->hwnd, rect);
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL CALLBACK closeVisiblePanel(HWND window, LPARAM) {
  if (!isOurWindow(window)) return TRUE;
  ++watch.liveWhileRunning;
  if (::IsWindowVisible(window)) ::PostMessageA(window, WM_CLOSE, 0, 0);
  return TRUE;
}

void CALLBACK closePanelOnce(HWND, UINT, UINT_PTR timer, DWORD) {
  ::KillTimer(nullptr, timer);
  watch.liveWhileRunning = 0;
  ::EnumThreadWindows(::GetCurrentThreadId(), &closeVisiblePanel, 0);
}

TEST(PanelStart, StartupWindowIsNeverShownAndClosingThePanelEndsTheProgram) {
  testing_support::TempFolder folder;
  makeStore(folder, 3, app::panelIconBytes());
  char previousDirectory[MAX_PATH];
  ::GetCurrentDirectoryA(MAX_PATH, previousDirectory);
  HHOOK hook = ::SetWindowsHookExA(WH_CALLWNDPROC, &watchShows, nullptr, ::GetCurrentThreadId());
  ::SetTimer(nullptr, 0, 50, &closePanelOnce);
  int status = -1;
  {
    std::unique_ptr<app::Backend> backend = app::win32::createBackend();
    status = app::runPanelApplication(*backend, app::storeRegistry(), folder.file("iconpanel.exe"));
  }
  ::UnhookWindowsHookEx(hook);
  char directory[MAX_PATH];
  ::GetCurrentDirectoryA(MAX_PATH, directory);
  ::SetCurrentDirectoryA(previousDirectory);

  EXPECT_EQ(status, 0);
  EXPECT_EQ(std::string(directory), folder.path().string());
  EXPECT_EQ(watch.liveWhileRunning, 2);  // the hidden owner and the panel
  ASSERT_EQ(watch.shown.size(), 1u);     // the panel alone, once
  const RECT rect = watch.shown[0].second;
  EXPECT_EQ(rect.left, (::GetSystemMetrics(SM_CXSCREEN) - 372) / 2);
  EXPECT_EQ(rect.top, (::GetSystemMetrics(SM_CYSCREEN) - 250) / 2);
  EXPECT_EQ(rect.right - rect.left, 372);
  EXPECT_EQ(rect.bottom - rect.top, 60);  // already the grid's height when first shown
  EXPECT_FALSE(::IsWindow(watch.shown[0].first));
}

// ---------------------------------------------------------------------------------------
// The notification-area record.

std::vector<std::pair<DWORD, NOTIFYICONDATAA>>& shellCalls() {
  static std::vector<std::pair<DWORD, NOTIFYICONDATAA>> calls;
  return calls;
}

int __stdcall recordShellCall(unsigned long message, void* record) {
  NOTIFYICONDATAA copy = {};
  std::memcpy(&copy, record, static_cast<NOTIFYICONDATAA*>(record)->cbSize);
  shellCalls().emplace_back(message, copy);
  return TRUE;
}

TEST_F(PanelWindowTest, TrayRecordIsTheVersionOneRecordOfThePanel) {
  shellCalls().clear();
  auto previous = app::win32::setShellNotifyFunction(&recordShellCall);
  load(0);
  ASSERT_EQ(shellCalls().size(), 1u);
  const auto& [message, added] = shellCalls()[0];
  EXPECT_EQ(message, static_cast<DWORD>(NIM_ADD));
  EXPECT_EQ(added.cbSize, NOTIFYICONDATAA_V1_SIZE);
  EXPECT_EQ(added.cbSize, offsetof(NOTIFYICONDATAA, szTip) + 64);
  EXPECT_EQ(added.cbSize, sizeof(void*) == 4 ? 88u : 104u);
  EXPECT_EQ(added.hWnd, window_);
  EXPECT_EQ(added.uID, 100u);
  EXPECT_EQ(added.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
  EXPECT_EQ(added.uCallbackMessage, 0x8064u);
  char tip[64] = "\xB5\xE3\xCE\xD2\xD1\xBD";  // 点我呀, the rest zero
  EXPECT_EQ(std::memcmp(added.szTip, tip, sizeof tip), 0);
  ICONINFO info = {};
  ASSERT_TRUE(::GetIconInfo(added.hIcon, &info));
  BITMAP mask = {};
  ::GetObjectA(info.hbmMask, sizeof mask, &mask);
  EXPECT_EQ(mask.bmWidth, 16);  // the last image: 16 pixels at 32 bits
  if (info.hbmColor) ::DeleteObject(info.hbmColor);
  ::DeleteObject(info.hbmMask);

  windowing_->destroyWindow(panel_->window());
  ASSERT_EQ(shellCalls().size(), 2u);
  EXPECT_EQ(shellCalls()[1].first, static_cast<DWORD>(NIM_DELETE));
  EXPECT_EQ(shellCalls()[1].second.hWnd, window_);
  EXPECT_EQ(shellCalls()[1].second.uID, 100u);
  app::win32::setShellNotifyFunction(previous);
}

// ---------------------------------------------------------------------------------------
// Tile painting, into a memory device context.

class TilePaintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app::WindowAppearance look;
    look.width = 200;
    look.height = 200;
    look.background = app::kPanelColour;
    parent_ = backend_->createWindow(look, 0);
    ASSERT_NE(parent_, 0u);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    dc_ = ::CreateCompatibleDC(nullptr);
    bitmap_ = ::CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_),
                                 nullptr, 0);
    previous_ = ::SelectObject(dc_, bitmap_);
  }
  void TearDown() override {
    ::SelectObject(dc_, previous_);
    ::DeleteObject(bitmap_);
    ::DeleteDC(dc_);
  }

  HWND makeTile(const platform::Bytes& picture, int mode) {
    app::LabelAppearance look;
    look.width = kWidth;
    look.height = kHeight;
    look.visible = true;
    look.background = app::kPanelColour;
    look.picture = picture;
    look.pictureMode = mode;
    return reinterpret_cast<HWND>(backend_->createLabel(parent_, look, 0));
  }

  // Paints the tile over a sentinel colour; each pixel as 0xRRGGBB.
  void paint(HWND tile) {
    for (int i = 0; i < kWidth * kHeight; ++i) bits_[i] = kSentinel;
    ::SendMessageA(tile, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT);
  }
  std::uint32_t pixel(int x, int y) const { return bits_[y * kWidth + x] & 0xFFFFFF; }

  // Every pixel: the icon's colour inside `drawn`, the panel's brown outside; with
  // `clearCorner`, the sentinel at the drawn rectangle's corner, which nothing may fill.
  void expectPlacement(RECT drawn, std::uint32_t colour, bool clearCorner) {
    int wrong = 0;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        const POINT point{x, y};
        std::uint32_t expected = ::PtInRect(&drawn, point) ? colour : kBrown;
        if (clearCorner && x == drawn.left && y == drawn.top) expected = kSentinel;
        if (pixel(x, y) != expected && ++wrong <= 5) {
          ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex << pixel(x, y)
                        << ", not " << expected;
        }
      }
    }
    EXPECT_EQ(wrong, 0);
  }

  static constexpr int kWidth = 80;
  static constexpr int kHeight = 72;
  static constexpr std::uint32_t kSentinel = 0xFF00FF;
  static constexpr std::uint32_t kBrown = 0xC06000;
  static constexpr std::uint32_t kGreen = 0x00C800;

  std::unique_ptr<app::Backend> backend_ = app::win32::createBackend();
  app::NativeWindow parent_ = 0;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  std::uint32_t* bits_ = nullptr;
};

TEST_F(TilePaintTest, IconsAreCentredAtTheirSizeOrShrunkToFitWithoutFillingTheirRectangle) {
  struct Case {
    int side;
    RECT drawn;
    bool clearCorner;
  };
  const Case cases[] = {
      {32, {24, 20, 56, 52}, true},
      {48, {16, 12, 64, 60}, true},
      {16, {32, 28, 48, 44}, true},
      {256, {4, 0, 76, 72}, false},  // shrunk by 72/256
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.side);
    HWND tile = makeTile(solidIcon(c.side, RGB(0, 200, 0), c.clearCorner), 2);
    paint(tile);
    expectPlacement(c.drawn, kGreen, c.clearCorner);
    DEVMODEA display = {};
    display.dmSize = sizeof display;
    ::EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &display);
    EXPECT_EQ(::GetStretchBltMode(dc_), display.dmBitsPerPel > 16 ? HALFTONE : COLORONCOLOR);
    ::DestroyWindow(tile);
  }
}

TEST_F(TilePaintTest, ModeZeroDrawsInTheCornerAndModeOneRepeatsWithoutBackground) {
  HWND corner = makeTile(solidIcon(32, RGB(0, 200, 0), true), 0);
  paint(corner);
  expectPlacement({0, 0, 32, 32}, kGreen, true);

  HWND repeated = makeTile(solidIcon(32, RGB(0, 200, 0), true), 1);
  paint(repeated);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const bool copyCorner = x % 32 == 0 && y % 32 == 0;
      ASSERT_EQ(pixel(x, y), copyCorner ? kSentinel : kGreen) << x << ", " << y;
    }
  }
}

TEST_F(TilePaintTest, BytesThatGiveNoIconAreEmptiedAndOnlyTheBackgroundIsPainted) {
  platform::Bytes bitmapFile = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0};
  platform::Bytes truncated = solidIcon(32, RGB(0, 200, 0), false);
  truncated.resize(100);
  for (const platform::Bytes& bytes : {bitmapFile, truncated, platform::Bytes{}}) {
    HWND tile = makeTile(bytes, 2);
    paint(tile);
    expectPlacement({0, 0, 0, 0}, kGreen, false);
    paint(tile);  // no further attempt, the same picture
    expectPlacement({0, 0, 0, 0}, kGreen, false);
    ::DestroyWindow(tile);
  }
  // New bytes are decoded at the next paint.
  HWND tile = makeTile(bitmapFile, 2);
  paint(tile);
  backend_->setLabelPicture(reinterpret_cast<app::NativeWindow>(tile),
                            solidIcon(32, RGB(0, 0, 200), false));
  paint(tile);
  expectPlacement({24, 20, 56, 52}, 0x0000C8, false);
}

// ---------------------------------------------------------------------------------------
// The fatal error report, shown by a second copy of this program.

// In the child: reports one fatal error (1) or asks for more memory than there is (2).
TEST(FatalErrorChild, Report) {
  const char* mode = std::getenv(kChildVariable);
  if (!mode) GTEST_SKIP() << "runs only as the child of FatalErrorBox";
  app::setFatalErrorPresenter(&app::win32::showFatalErrorBox);
  if (std::string(mode) == "1") app::reportFatalError(5, app::texts::kTypeMismatch);
  volatile std::size_t huge = kHugeRequest;
  char* volatile memory = new char[huge];
  delete[] memory;
}

// The text of the box's message, read from its static control.
std::string boxText(HWND box) {
  std::string text;
  for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    char buffer[512] = {};
    ::GetWindowTextA(child, buffer, sizeof buffer);
    if (std::strlen(buffer) > text.size()) text = buffer;
  }
  return text;
}

// Starts the child, waits for its box, checks title, icon and text, presses OK and returns
// the child's exit status.
int runFatalChild(const char* mode, const std::string& expectedText) {
  ::SetEnvironmentVariableA(kChildVariable, mode);
  char own[MAX_PATH];
  ::GetModuleFileNameA(nullptr, own, MAX_PATH);
  testing_support::ChildProcess child(own, {"--gtest_filter=FatalErrorChild.Report"});
  ::SetEnvironmentVariableA(kChildVariable, nullptr);
  EXPECT_TRUE(child.started());
  const std::string title(app::texts::kFatalTitle);
  HWND box = nullptr;
  for (int i = 0; i < 1000 && !box; ++i) {
    box = ::FindWindowA("#32770", title.c_str());
    if (!box) ::Sleep(10);
  }
  if (!box) {
    ADD_FAILURE() << "no message box";
    return 0;
  }
  // The box is found by its title as soon as it exists; its controls may come a moment later.
  for (int i = 0; i < 500 && !(::IsWindowVisible(box) && ::GetDlgItem(box, IDOK) &&
                               boxText(box) == expectedText);
       ++i)
    ::Sleep(10);
  EXPECT_EQ(boxText(box), expectedText);
  EXPECT_TRUE(::GetDlgItem(box, IDOK));
  EXPECT_FALSE(::GetDlgItem(box, IDCANCEL));
  EXPECT_EQ(::GetWindow(box, GW_OWNER), nullptr);
  ::PostMessageA(box, WM_COMMAND, IDOK, 0);
  return child.wait();
}

TEST(FatalErrorBox, ShowsTheReportAndEndsWithStatusMinusOne) {
  EXPECT_EQ(runFatalChild("1", app::fatalErrorText(5, app::texts::kTypeMismatch)), -1);
}

TEST(FatalErrorBox, MemoryExhaustionIsReportedWithTheByteCount) {
  EXPECT_EQ(runFatalChild("2", app::fatalErrorText(0, app::outOfMemoryMessage(kHugeRequest))), -1);
}

}  // namespace
