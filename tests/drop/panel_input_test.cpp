// Presses and keys on the panel and its tiles: a press anywhere becomes a move of the whole
// panel, Esc closes it, Enter and F1 do nothing.

#include "app/win32/drop/panel_input.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

namespace {

using app::win32::PanelInput;
using app::win32::panelInputOf;

TEST(PanelInput, WhatEachMessageAsks) {
  struct Case {
    UINT message;
    WPARAM wParam;
    PanelInput input;
  };
  const std::vector<Case> cases = {
      {WM_LBUTTONDOWN, MK_LBUTTON, PanelInput::CaptionDrag},
      {WM_LBUTTONDBLCLK, MK_LBUTTON, PanelInput::CaptionDrag},
      {WM_KEYDOWN, VK_ESCAPE, PanelInput::Close},
      {WM_KEYDOWN, VK_RETURN, PanelInput::Ignored},
      {WM_KEYDOWN, VK_F1, PanelInput::Ignored},
      {WM_HELP, 0, PanelInput::Ignored},
      {WM_KEYDOWN, 'A', PanelInput::None},
      {WM_RBUTTONDOWN, MK_RBUTTON, PanelInput::None},
      {WM_LBUTTONUP, 0, PanelInput::None},
      {WM_MOUSEMOVE, MK_LBUTTON, PanelInput::None},
  };
  for (const Case& c : cases)
    EXPECT_EQ(panelInputOf(c.message, c.wParam), c.input) << c.message << " " << c.wParam;
}

// A tile hands every message to the panel first, as the panel's labels do.
LRESULT CALLBACK tileProcedure(HWND tile, UINT message, WPARAM wParam, LPARAM lParam) {
  if (app::win32::handlePanelInput(reinterpret_cast<std::uintptr_t>(GetParent(tile)), message,
                                   wParam))
    return 0;
  if (message == WM_LBUTTONDOWN) SetPropA(tile, "clicked", reinterpret_cast<HANDLE>(1));
  return DefWindowProcA(tile, message, wParam, lParam);
}

class PanelWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSA tileClass{};
    tileClass.lpfnWndProc = tileProcedure;
    tileClass.hInstance = GetModuleHandleA(nullptr);
    tileClass.lpszClassName = "PanelInputTestTile";
    RegisterClassA(&tileClass);
    panel_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 100, 100, 372, 250, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    tile_ = CreateWindowExA(0, "PanelInputTestTile", "", WS_CHILD | WS_VISIBLE, 8, 8, 80, 72,
                            panel_, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(panel_, nullptr);
    ASSERT_NE(tile_, nullptr);
  }
  void TearDown() override {
    if (IsWindow(panel_)) DestroyWindow(panel_);
  }

  HWND panel_ = nullptr;
  HWND tile_ = nullptr;
};

TEST_F(PanelWindows, PressOnATileBecomesACaptionDragOfThePanel) {
  PostMessageA(tile_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  MSG press;
  ASSERT_TRUE(PeekMessageA(&press, tile_, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE));
  DispatchMessageA(&press);

  MSG drag;
  ASSERT_TRUE(PeekMessageA(&drag, panel_, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE));
  EXPECT_EQ(drag.wParam, static_cast<WPARAM>(HTCAPTION));
  EXPECT_EQ(drag.lParam, MAKELPARAM(press.pt.x, press.pt.y)) << "starts where the press was";
  EXPECT_EQ(GetPropA(tile_, "clicked"), nullptr) << "the tile itself gets no click";
}

TEST_F(PanelWindows, EscClosesThePanelEnterAndF1DoNothing) {
  MSG message;
  for (WPARAM key : {WPARAM{VK_RETURN}, WPARAM{VK_F1}}) {
    EXPECT_TRUE(
        app::win32::handlePanelInput(reinterpret_cast<std::uintptr_t>(panel_), WM_KEYDOWN, key));
    EXPECT_FALSE(PeekMessageA(&message, panel_, 0, 0, PM_NOREMOVE)) << key;
  }
  EXPECT_TRUE(app::win32::handlePanelInput(reinterpret_cast<std::uintptr_t>(panel_), WM_KEYDOWN,
                                           VK_ESCAPE));
  ASSERT_TRUE(PeekMessageA(&message, panel_, WM_CLOSE, WM_CLOSE, PM_REMOVE));
  DispatchMessageA(&message);
  EXPECT_FALSE(IsWindow(panel_)) << "closing with no handler destroys the panel";
}

}  // namespace
