// The drop receiver fed data objects directly, as the platform's drag loop would: which
// formats it asks for, the effect for each key state and allowed-effects mask, the events a
// drop raises and their order, and the failure code every drop gives back.

#include "app/win32/drop/drop_target.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/win32/drop/drop_zone.h"
#include "tests/drop/fake_data_object.h"

namespace {

using Microsoft::WRL::ComPtr;

constexpr DWORD kAllEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;

class DropTargetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    window_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window_, nullptr);
    app::win32::DropZoneHandlers handlers;
    handlers.gotText = [this](const std::string& text) { events_.push_back("text:" + text); };
    handlers.gotFiles = [this](const std::string& paths) { events_.push_back("files:" + paths); };
    target_.Attach(new app::win32::DropTarget(window_, handlers));
  }
  void TearDown() override {
    target_.Reset();
    DestroyWindow(window_);
    OleUninitialize();
  }

  static ComPtr<FakeDataObject> data() {
    ComPtr<FakeDataObject> object;
    object.Attach(new FakeDataObject);
    return object;
  }

  // A whole drag: enter, one move, then the drop. Gives the effect the move showed.
  DWORD dragAndDrop(FakeDataObject* object, DWORD keys, DWORD allowed, HRESULT* dropResult,
                    DWORD* effectAfterDrop) {
    DWORD effect = allowed;
    EXPECT_EQ(target_->DragEnter(object, keys | MK_LBUTTON, POINTL{10, 10}, &effect), S_OK);
    const DWORD onEnter = effect;
    effect = allowed;
    EXPECT_EQ(target_->DragOver(keys | MK_LBUTTON, POINTL{12, 12}, &effect), S_OK);
    EXPECT_EQ(effect, onEnter);
    const DWORD shown = effect;
    effect = allowed;
    *dropResult = target_->Drop(object, keys, POINTL{12, 12}, &effect);
    *effectAfterDrop = effect;
    return shown;
  }

  // A drag with no keys and every effect allowed; the drop must fail to the source.
  void dropPlainly(FakeDataObject* object) {
    HRESULT result = S_OK;
    DWORD after = kAllEffects;
    EXPECT_EQ(dragAndDrop(object, 0, kAllEffects, &result, &after), DROPEFFECT_COPY);
    EXPECT_EQ(result, E_FAIL);
    EXPECT_EQ(after, DROPEFFECT_NONE);
  }

  HWND window_ = nullptr;
  ComPtr<app::win32::DropTarget> target_;
  std::vector<std::string> events_;
};

TEST_F(DropTargetTest, AsksForTextThenFilesInGlobalMemory) {
  auto object = data();
  object->offerFiles({L"Z:\\tmp\\a.exe"});
  DWORD effect = kAllEffects;
  target_->DragEnter(object.Get(), MK_LBUTTON, POINTL{0, 0}, &effect);
  target_->DragLeave();
  EXPECT_EQ(object->asked(), (std::vector<CLIPFORMAT>{CF_TEXT, CF_HDROP}));
  EXPECT_TRUE(events_.empty());
}

TEST_F(DropTargetTest, FilesArriveAsOneTextPerDrop) {
  struct Case {
    const char* what;
    std::vector<std::wstring> paths;
    std::string text;
  };
  const std::vector<Case> cases = {
      {"one file", {L"Z:\\tmp\\app.exe"}, "Z:\\tmp\\app.exe"},
      {"three files",
       {L"Z:\\tmp\\app.exe", L"Z:\\tmp\\readme.txt", L"C:\\tools\\b.exe"},
       "Z:\\tmp\\app.exe\r\nZ:\\tmp\\readme.txt\r\nC:\\tools\\b.exe\r\n"},
      {"a folder", {L"C:\\windows"}, "C:\\windows"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    events_.clear();
    auto object = data();
    object->offerFiles(c.paths);
    dropPlainly(object.Get());
    EXPECT_EQ(events_, (std::vector<std::string>{"files:" + c.text}));
  }
}

TEST_F(DropTargetTest, PathsComeInTheAnsiCodePage) {
  if (GetACP() != 936) GTEST_SKIP() << "needs the GBK code page, not " << GetACP();
  auto object = data();
  object->offerFiles({L"Z:\\\x8868\\a.exe"});  // 表
  dropPlainly(object.Get());
  EXPECT_EQ(events_, (std::vector<std::string>{"files:Z:\\\xB1\xED\\a.exe"}));
}

TEST_F(DropTargetTest, TextIsReadBeforeFilesAndNeedsNoHandler) {
  auto object = data();
  object->offerText("hello");
  dropPlainly(object.Get());
  EXPECT_EQ(events_, (std::vector<std::string>{"text:hello"}));

  events_.clear();
  object = data();
  object->offerText("both");
  object->offerFiles({L"Z:\\tmp\\a.exe"});
  dropPlainly(object.Get());
  EXPECT_EQ(events_, (std::vector<std::string>{"text:both", "files:Z:\\tmp\\a.exe"}));

  // The panel binds no handler to text: a text drop then does nothing at all.
  ComPtr<app::win32::DropTarget> filesOnly;
  std::vector<std::string> files;
  filesOnly.Attach(new app::win32::DropTarget(
      window_, {nullptr, [&](const std::string& paths) { files.push_back(paths); }}));
  object = data();
  object->offerText("ignored");
  DWORD effect = kAllEffects;
  filesOnly->DragEnter(object.Get(), MK_LBUTTON, POINTL{0, 0}, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY)) << "text shows the copy pointer";
  effect = kAllEffects;
  EXPECT_EQ(filesOnly->Drop(object.Get(), 0, POINTL{0, 0}, &effect), E_FAIL);
  EXPECT_TRUE(files.empty());
}

TEST_F(DropTargetTest, DataWithoutTextOrFilesIsRefused) {
  auto object = data();
  object->offerUnicodeText(L"wide text only");
  HRESULT result = S_OK;
  DWORD after = kAllEffects;
  EXPECT_EQ(dragAndDrop(object.Get(), 0, kAllEffects, &result, &after), DROPEFFECT_NONE);
  EXPECT_EQ(result, E_FAIL);
  EXPECT_TRUE(events_.empty());
}

TEST_F(DropTargetTest, EffectFollowsKeysAndAllowedEffects) {
  struct Case {
    DWORD keys;
    DWORD allowed;
    DWORD effect;
  };
  const std::vector<Case> cases = {
      {0, kAllEffects, DROPEFFECT_COPY},
      {MK_CONTROL, kAllEffects, DROPEFFECT_COPY},
      {MK_SHIFT, kAllEffects, DROPEFFECT_MOVE},
      {MK_CONTROL | MK_SHIFT, kAllEffects, DROPEFFECT_NONE},
      {MK_CONTROL | MK_SHIFT, DROPEFFECT_LINK, DROPEFFECT_NONE},
      {0, DROPEFFECT_MOVE | DROPEFFECT_LINK, DROPEFFECT_MOVE},
      {0, DROPEFFECT_LINK, DROPEFFECT_LINK},
      {MK_CONTROL, DROPEFFECT_MOVE, DROPEFFECT_NONE},
      {MK_SHIFT, DROPEFFECT_COPY, DROPEFFECT_NONE},
      // Wine shows Shift and Ctrl+Shift only in the allowed effects of its drag source.
      {0, DROPEFFECT_COPY | DROPEFFECT_MOVE, DROPEFFECT_COPY},
      {0, DROPEFFECT_COPY | DROPEFFECT_LINK, DROPEFFECT_COPY},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("keys " + std::to_string(c.keys) + " allowed " + std::to_string(c.allowed));
    auto object = data();
    object->offerFiles({L"Z:\\tmp\\a.exe"});
    HRESULT result = S_OK;
    DWORD after = kAllEffects;
    EXPECT_EQ(dragAndDrop(object.Get(), c.keys, c.allowed, &result, &after), c.effect);
  }
}

TEST_F(DropTargetTest, EveryDropFailsToTheSourceAndRaisesEventsOnlyWithAnEffect) {
  for (DWORD keys : {DWORD{0}, DWORD{MK_CONTROL}, DWORD{MK_SHIFT}, DWORD{MK_CONTROL | MK_SHIFT}}) {
    for (DWORD allowed = 0; allowed <= kAllEffects; ++allowed) {
      SCOPED_TRACE("keys " + std::to_string(keys) + " allowed " + std::to_string(allowed));
      events_.clear();
      auto object = data();
      object->offerText("t");
      object->offerFiles({L"Z:\\tmp\\a.exe"});
      HRESULT result = S_OK;
      DWORD after = kAllEffects;
      const DWORD shown = dragAndDrop(object.Get(), keys, allowed, &result, &after);
      EXPECT_EQ(result, E_FAIL);
      EXPECT_EQ(after, DROPEFFECT_NONE);
      EXPECT_EQ(events_.size(), shown == DROPEFFECT_NONE ? 0u : 2u);
    }
  }
}

TEST_F(DropTargetTest, FileListThatCannotBeReadRaisesNoEvent) {
  DROPFILES header{};
  header.pFiles = sizeof header;
  auto listOf = [&](const std::string& names) {
    const std::string bytes =
        std::string(reinterpret_cast<const char*>(&header), sizeof header) + names;
    return std::vector<unsigned char>(bytes.begin(), bytes.end());
  };
  const std::vector<std::vector<unsigned char>> lists = {
      listOf(std::string("C:\\a.exe", 8)),               // the list never ends
      listOf(std::string("C:\\a.exe\0", 9)),             // no empty name after the last
      listOf(std::string("\0", 1)),                      // no names at all
      listOf(std::string("\0\0", 2)),                    // an empty name
      std::vector<unsigned char>(sizeof header - 1, 0),  // shorter than its header
  };
  for (std::size_t i = 0; i < lists.size(); ++i) {
    SCOPED_TRACE(i);
    auto object = data();
    object->offerRawFileList(lists[i]);
    dropPlainly(object.Get());
  }
  EXPECT_TRUE(events_.empty());

  auto object = data();
  object->offerRawFileList(listOf(std::string("C:\\a.exe\0\0", 10)));
  dropPlainly(object.Get());
  EXPECT_EQ(events_, (std::vector<std::string>{"files:C:\\a.exe"}));
}

TEST_F(DropTargetTest, RegistersOnceOnAWindow) {
  EXPECT_TRUE(app::win32::registerFileDropZone(reinterpret_cast<std::uintptr_t>(window_), {}));
  EXPECT_FALSE(app::win32::registerFileDropZone(reinterpret_cast<std::uintptr_t>(window_), {}));
  app::win32::revokeFileDropZone(reinterpret_cast<std::uintptr_t>(window_));
}

}  // namespace
