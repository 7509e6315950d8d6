#include "app/win32/win32_backend.h"

#include <windows.h>
// After windows.h, which they build on.
#include <ole2.h>
#include <shellapi.h>

#include <cstring>
#include <vector>

#include "app/picture_placement.h"
#include "app/texts.h"
#include "app/tray_icon.h"
#include "app/win32/drop/drop_zone.h"
#include "app/win32/drop/panel_input.h"
#include "icons/byte_view.h"
#include "icons/tile_image_choice.h"

namespace app::win32 {
namespace {

constexpr char kWindowClass[] = "IconpanelWindow";
constexpr char kLabelClass[] = "IconpanelLabel";
// Icons are made from icon-image bytes of format version 3.
constexpr DWORD kIconFormatVersion = 0x30000;
// An image of 16 bits per pixel is not retried at the platform's default icon size.
constexpr std::uint16_t kNoRetryBitCount = 16;

int __stdcall callShellNotifyIcon(unsigned long message, void* record) {
  return ::Shell_NotifyIconA(message, static_cast<NOTIFYICONDATAA*>(record));
}

ShellNotifyFunction shellNotify = &callShellNotifyIcon;

HWND hwndOf(NativeWindow window) { return reinterpret_cast<HWND>(window); }
NativeWindow nativeOf(HWND window) { return reinterpret_cast<NativeWindow>(window); }
HICON iconOf(NativeIcon icon) { return reinterpret_cast<HICON>(icon); }

COLORREF colourRefOf(Colour colour) {
  return colour == kNoColour ? ::GetSysColor(COLOR_BTNFACE) : static_cast<COLORREF>(colour.value);
}

void fillWithColour(HDC dc, HRGN region, Colour colour) {
  HBRUSH brush = ::CreateSolidBrush(colourRefOf(colour));
  ::FillRgn(dc, region, brush);
  ::DeleteObject(brush);
}

HICON iconFromImage(const platform::Bytes& image, int width, int height) {
  if (image.empty()) return nullptr;
  return ::CreateIconFromResourceEx(const_cast<BYTE*>(image.data()),
                                    static_cast<DWORD>(image.size()), TRUE, kIconFormatVersion,
                                    width, height, LR_DEFAULTCOLOR);
}

// Halftone gives the smoothest shrinking, but only on displays of more than 16 bits per pixel.
int stretchModeForDisplay() {
  DEVMODEA mode = {};
  mode.dmSize = sizeof mode;
  if (::EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode) && mode.dmBitsPerPel > 16) {
    return HALFTONE;
  }
  return COLORONCOLOR;
}

// ---------------------------------------------------------------------------------------
// Per-window state, bound to its window handle at WM_NCCREATE and freed at WM_NCDESTROY.

struct WindowState {
  BackendEvents** events = nullptr;  // the backend's current receiver of events
  bool adopted = false;              // owned by the window once its creation succeeded
};

struct TopLevelState : WindowState {
  Colour background = kNoColour;
  StartState start = StartState::Normal;
  bool shownOnce = false;
  HFONT font = nullptr;  // not owned: the stock default GUI font
  HICON largeIcon = nullptr;
  HICON smallIcon = nullptr;

  ~TopLevelState() {
    if (largeIcon) ::DestroyIcon(largeIcon);
    if (smallIcon) ::DestroyIcon(smallIcon);
  }
};

// The decoded picture of a label: made at the first paint after the bytes were set.
struct TilePicture {
  HICON icon = nullptr;
  std::int32_t width = 0;  // nominal size, from the image's own header
  std::int32_t height = 0;
};

struct LabelState : WindowState {
  Colour background = kNoColour;
  platform::Bytes picture;
  int pictureMode = 0;
  TilePicture decoded;

  void discardPicture() {
    if (decoded.icon) ::DestroyIcon(decoded.icon);
    decoded = {};
  }
  ~LabelState() { discardPicture(); }
};

template <typename State>
State* stateOf(HWND window) {
  return reinterpret_cast<State*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
}

void bindState(HWND window, LPARAM createParameters) {
  auto* create = reinterpret_cast<CREATESTRUCTA*>(createParameters);
  ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
}

template <typename State>
void releaseState(HWND window) {
  State* state = stateOf<State>(window);
  ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  if (state && state->adopted) delete state;
}

// ---------------------------------------------------------------------------------------
// Label painting.

// Chooses the image of the picture bytes and makes an icon of it at its own size, or at the
// platform's default size when that fails. False when the bytes give no icon.
bool decodePicture(LabelState& label) {
  std::optional<icons::TileImageChoice> choice = icons::chooseTileImage(label.picture);
  if (!choice) return false;
  HICON icon = iconFromImage(choice->image, choice->width, choice->height);
  const std::optional<std::uint16_t> bitCount = icons::ByteView(choice->image).u16(14);
  if (!icon && bitCount != kNoRetryBitCount) {
    icon = ::CreateIconFromResource(choice->image.data(), static_cast<DWORD>(choice->image.size()),
                                    TRUE, kIconFormatVersion);
  }
  if (!icon) return false;
  label.decoded = {icon, choice->width, choice->height};
  return true;
}

void drawIcon(HDC dc, const TilePicture& picture, const PictureRect& place) {
  ::DrawIconEx(dc, place.left, place.top, picture.icon, place.width, place.height, 0, nullptr,
               DI_NORMAL);
}

// Fills the label with its background colour except where its picture is drawn; the picture's
// own rectangle is never filled, so the mask's transparent pixels show what lies beneath.
void paintLabel(HWND window, LabelState& label, HDC dc, const RECT& clip) {
  if (::IsRectEmpty(&clip)) return;
  RECT area;
  ::GetClientRect(window, &area);
  RECT visible;
  ::IntersectRect(&visible, &clip, &area);
  HRGN background = ::CreateRectRgnIndirect(&visible);

  if (!label.picture.empty() && !label.decoded.icon && !decodePicture(label)) {
    label.picture.clear();  // no further attempt until new bytes are set
  }
  bool fillBackground = true;
  if (label.decoded.icon) {
    ::SetStretchBltMode(dc, stretchModeForDisplay());
    const PictureRect whole{area.left, area.top, area.right - area.left, area.bottom - area.top};
    if (label.pictureMode == 1) {
      // Repeated from the top-left corner, row by row, skipping copies outside the clip.
      fillBackground = false;
      const int width = label.decoded.width;
      const int height = label.decoded.height;
      for (int y = area.top; y < area.bottom; y += height) {
        for (int x = area.left; x < area.right; x += width) {
          RECT copy{x, y, x + width, y + height};
          RECT overlap;
          if (::IntersectRect(&overlap, &copy, &clip))
            drawIcon(dc, label.decoded, {x, y, width, height});
        }
      }
    } else {
      const PictureRect place =
          picturePlacement(label.pictureMode, whole, label.decoded.width, label.decoded.height);
      drawIcon(dc, label.decoded, place);
      HRGN drawn = ::CreateRectRgn(place.left, place.top, place.left + place.width,
                                   place.top + place.height);
      ::CombineRgn(background, background, drawn, RGN_DIFF);
      ::DeleteObject(drawn);
    }
  }
  if (fillBackground) fillWithColour(dc, background, label.background);
  ::DeleteObject(background);
}

LRESULT CALLBACK labelProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // A press on a tile moves the panel; the tile itself gets no click.
  if (handlePanelInput(nativeOf(::GetParent(window)), message, wParam)) return 0;
  switch (message) {
    case WM_NCCREATE:
      bindState(window, lParam);
      break;
    case WM_ERASEBKGND:
      return 1;  // the label has no background brush: painting fills what it must
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = ::BeginPaint(window, &paint);
      if (LabelState* label = stateOf<LabelState>(window))
        paintLabel(window, *label, dc, paint.rcPaint);
      ::EndPaint(window, &paint);
      return 0;
    }
    case WM_PRINTCLIENT: {
      RECT area;
      ::GetClientRect(window, &area);
      if (LabelState* label = stateOf<LabelState>(window)) {
        paintLabel(window, *label, reinterpret_cast<HDC>(wParam), area);
      }
      return 0;
    }
    case WM_NCDESTROY:
      releaseState<LabelState>(window);
      break;
    default:
      break;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

// ---------------------------------------------------------------------------------------
// Top-level windows.

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    bindState(window, lParam);
    return ::DefWindowProcA(window, message, wParam, lParam);
  }
  TopLevelState* state = stateOf<TopLevelState>(window);
  BackendEvents* events = state && state->events ? *state->events : nullptr;
  if (handlePanelInput(nativeOf(window), message, wParam)) return 0;
  switch (message) {
    case WM_ERASEBKGND: {
      if (!state) break;
      RECT area;
      ::GetClientRect(window, &area);
      HRGN region = ::CreateRectRgnIndirect(&area);
      fillWithColour(reinterpret_cast<HDC>(wParam), region, state->background);
      ::DeleteObject(region);
      return 1;
    }
    case WM_SETFONT:
      if (state) state->font = reinterpret_cast<HFONT>(wParam);
      return 0;
    case WM_GETFONT:
      return state ? reinterpret_cast<LRESULT>(state->font) : 0;
    case WM_TIMER:
      if (events) events->timerExpired(nativeOf(window), static_cast<int>(wParam));
      return 0;
    case WM_ENDSESSION:
      // Windows is shutting down or logging the user off: the window goes like on a close.
      if (wParam) ::DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      revokeFileDropZone(nativeOf(window));
      if (events) events->windowDestroyed(nativeOf(window));
      return 0;
    case WM_NCDESTROY:
      releaseState<TopLevelState>(window);
      break;
    default:
      if (message == kTrayCallbackMessage) {
        if (events) events->trayNotified(nativeOf(window), static_cast<std::uint32_t>(lParam));
        return 0;
      }
      break;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

struct Styles {
  DWORD style = 0;
  DWORD extended = 0;
};

Styles stylesOf(const WindowAppearance& look) {
  Styles styles;
  styles.style = look.titleBar ? WS_OVERLAPPED | WS_CAPTION : WS_POPUP;
  switch (look.frame) {
    case Frame::None:
      break;
    case Frame::Sizable:
      styles.style |= WS_THICKFRAME;
      break;
    case Frame::Dialog:
      styles.style |= WS_DLGFRAME;
      styles.extended |= WS_EX_DLGMODALFRAME;
      break;
    case Frame::SizableToolTitle:
      styles.style |= WS_THICKFRAME;
      styles.extended |= WS_EX_TOOLWINDOW;
      break;
    case Frame::FixedToolTitle:
      styles.style |= WS_DLGFRAME;
      styles.extended |= WS_EX_TOOLWINDOW;
      break;
    case Frame::SizableSunken:
      styles.style |= WS_THICKFRAME;
      styles.extended |= WS_EX_CLIENTEDGE;
      break;
    case Frame::FixedSunken:
      styles.style |= WS_BORDER;
      styles.extended |= WS_EX_CLIENTEDGE;
      break;
  }
  if (look.controlBox) styles.style |= WS_SYSMENU;
  if (look.minimizeButton) styles.style |= WS_MINIMIZEBOX;
  if (look.maximizeButton) styles.style |= WS_MAXIMIZEBOX;
  return styles;
}

HICON windowIconOf(const std::optional<icons::IconImage>& image) {
  return image ? iconFromImage(image->bytes, image->width, image->height) : nullptr;
}

BOOL CALLBACK destroyOwnWindow(HWND window, LPARAM) {
  char name[32];
  if (::GetClassNameA(window, name, sizeof name) && std::strcmp(name, kWindowClass) == 0) {
    ::DestroyWindow(window);
  }
  return TRUE;
}

// ---------------------------------------------------------------------------------------

class Win32Backend final : public Backend {
 public:
  Win32Backend() : instance_(::GetModuleHandleA(nullptr)) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &windowProcedure;
    windowClass.hInstance = instance_;
    windowClass.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.lpszClassName = kWindowClass;
    ::RegisterClassExA(&windowClass);
    windowClass.lpfnWndProc = &labelProcedure;
    windowClass.lpszClassName = kLabelClass;
    ::RegisterClassExA(&windowClass);
  }

  ~Win32Backend() override {
    // Windows still open here would keep pointing at this backend.
    ::EnumThreadWindows(::GetCurrentThreadId(), &destroyOwnWindow, 0);
    ::UnregisterClassA(kLabelClass, instance_);
    ::UnregisterClassA(kWindowClass, instance_);
  }

  void setEvents(BackendEvents* events) override { events_ = events; }

  void initializeOle() override { ::OleInitialize(nullptr); }

  void setWorkingDirectory(const std::string& path) override {
    ::SetCurrentDirectoryA(path.c_str());
  }

  ScreenSize screenSize() override {
    return {::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  }

  NativeWindow createOwnerWindow() override {
    // Owns the windows that have no taskbar button; a tool window of no size, never shown.
    owner_ = create(new TopLevelState, WS_EX_TOOLWINDOW, kWindowClass, "", WS_POPUP, 0, 0, 0, 0,
                    nullptr);
    return nativeOf(owner_);
  }

  NativeWindow createWindow(const WindowAppearance& look, NativeWindow owner) override {
    auto* state = new TopLevelState;
    state->background = look.background;
    state->start = look.start;
    const Styles styles = stylesOf(look);
    HWND window = create(state, styles.extended, kWindowClass, look.title.c_str(), styles.style,
                         look.left, look.top, look.width, look.height, hwndOf(owner));
    if (!window) return 0;
    if (look.topmost) {
      ::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    state->largeIcon = windowIconOf(look.largeIcon);
    state->smallIcon = windowIconOf(look.smallIcon);
    if (state->largeIcon)
      ::SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(state->largeIcon));
    if (state->smallIcon)
      ::SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(state->smallIcon));
    ::SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)),
                   FALSE);
    if (!look.movable) {
      if (HMENU menu = ::GetSystemMenu(window, FALSE)) ::DeleteMenu(menu, SC_MOVE, MF_BYCOMMAND);
    }
    return nativeOf(window);
  }

  NativeWindow createLabel(NativeWindow parent, const LabelAppearance& look,
                           NativeWindow behind) override {
    auto* state = new LabelState;
    state->background = look.background;
    state->picture = look.picture;
    state->pictureMode = look.pictureMode;
    // Tiles overlap their neighbours: sibling clipping keeps the stacking order on screen.
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (look.visible ? WS_VISIBLE : 0);
    HWND label = create(state, 0, kLabelClass, "", style, look.left, look.top, look.width,
                        look.height, hwndOf(parent));
    if (!label) return 0;
    ::SetWindowPos(label, behind ? hwndOf(behind) : HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return nativeOf(label);
  }

  void destroyWindow(NativeWindow window) override { ::DestroyWindow(hwndOf(window)); }

  void setVisible(NativeWindow window, bool visible) override {
    HWND handle = hwndOf(window);
    if (!visible) {
      ::ShowWindow(handle, SW_HIDE);
      return;
    }
    int command = SW_SHOW;
    if (TopLevelState* state = topLevelState(handle); state && !state->shownOnce) {
      state->shownOnce = true;
      if (state->start == StartState::Minimized) command = SW_SHOWMINIMIZED;
      if (state->start == StartState::Maximized) command = SW_SHOWMAXIMIZED;
    }
    ::ShowWindow(handle, command);
  }

  void moveWindow(NativeWindow window, int left, int top) override {
    HWND handle = hwndOf(window);
    ::SetWindowPos(handle, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  void resizeWindow(NativeWindow window, int width, int height) override {
    ::SetWindowPos(hwndOf(window), nullptr, 0, 0, width, height,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  void setLabelPicture(NativeWindow label, const platform::Bytes& picture) override {
    if (LabelState* state = labelState(hwndOf(label))) {
      state->picture = picture;
      state->discardPicture();
      ::InvalidateRect(hwndOf(label), nullptr, FALSE);
    }
  }

  void setLabelPictureMode(NativeWindow label, int mode) override {
    if (LabelState* state = labelState(hwndOf(label))) {
      state->pictureMode = mode;
      ::InvalidateRect(hwndOf(label), nullptr, FALSE);
    }
  }

  void startTimer(NativeWindow window, int timerId, std::uint32_t milliseconds) override {
    ::SetTimer(hwndOf(window), static_cast<UINT_PTR>(timerId), milliseconds, nullptr);
  }

  void stopTimer(NativeWindow window, int timerId) override {
    ::KillTimer(hwndOf(window), static_cast<UINT_PTR>(timerId));
  }

  NativeIcon createIcon(const platform::Bytes& image, int width, int height) override {
    return reinterpret_cast<NativeIcon>(iconFromImage(image, width, height));
  }

  void destroyIcon(NativeIcon icon) override { ::DestroyIcon(iconOf(icon)); }

  bool notifyTray(TrayAction action, const TrayRecord& record) override {
    // The version-1 record: 88 bytes in a 32-bit program, the same fields' size in a 64-bit one.
    NOTIFYICONDATAA data = {};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = hwndOf(record.window);
    data.uID = kTrayIconId;
    data.uFlags = kTrayFlags;
    data.uCallbackMessage = kTrayCallbackMessage;
    data.hIcon = iconOf(record.icon);
    // The version-1 record ends after the first 64 bytes of the tip field.
    static_assert(sizeof data.szTip >= sizeof record.tip);
    std::memcpy(data.szTip, record.tip.data(), sizeof record.tip);
    const DWORD message = action == TrayAction::Add      ? NIM_ADD
                          : action == TrayAction::Modify ? NIM_MODIFY
                                                         : NIM_DELETE;
    return shellNotify(message, &data) != FALSE;
  }

  bool registerDropTarget(NativeWindow window) override {
    return registerFileDropZone(window, {nullptr, [this, window](const std::string& paths) {
                                           if (events_) events_->filesDropped(window, paths);
                                         }});
  }

  void runMessageLoop() override {
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
  }

  void quitMessageLoop() override { ::PostQuitMessage(0); }

 private:
  template <typename State>
  HWND create(State* state, DWORD extended, const char* className, const char* title, DWORD style,
              int left, int top, int width, int height, HWND parentOrOwner) {
    std::unique_ptr<State> owned(state);
    state->events = &events_;
    HWND window = ::CreateWindowExA(extended, className, title, style, left, top, width, height,
                                    parentOrOwner, nullptr, instance_, state);
    if (window) {
      state->adopted = true;
      owned.release();
    }
    return window;
  }

  TopLevelState* topLevelState(HWND window) {
    char name[32];
    if (!::GetClassNameA(window, name, sizeof name) || std::strcmp(name, kWindowClass) != 0) {
      return nullptr;
    }
    return stateOf<TopLevelState>(window);
  }

  LabelState* labelState(HWND window) {
    char name[32];
    if (!::GetClassNameA(window, name, sizeof name) || std::strcmp(name, kLabelClass) != 0) {
      return nullptr;
    }
    return stateOf<LabelState>(window);
  }

  HINSTANCE instance_;
  BackendEvents* events_ = nullptr;
  HWND owner_ = nullptr;
};

}  // namespace

std::unique_ptr<Backend> createBackend() { return std::make_unique<Win32Backend>(); }

std::string programPath() {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

void showFatalErrorBox(const std::string& text) {
  const std::string title(texts::kFatalTitle);
  ::MessageBoxA(nullptr, text.c_str(), title.c_str(), MB_OK | MB_ICONERROR);
}

ShellNotifyFunction setShellNotifyFunction(ShellNotifyFunction function) {
  ShellNotifyFunction previous = shellNotify;
  shellNotify = function ? function : &callShellNotifyIcon;
  return previous;
}

}  // namespace app::win32
