// The rules of a drop that need no files: splitting, the drop effect, the got-files text.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/drop/drop_effect.h"
#include "app/drop/dropped_files_text.h"
#include "app/drop/split_text.h"

namespace {

using app::drop::kEffectCopy;
using app::drop::kEffectLink;
using app::drop::kEffectMove;
using app::drop::kEffectNone;

TEST(SplitText, PiecesBetweenDelimiters) {
  struct Case {
    std::string text;
    char delimiter;
    std::vector<std::string> pieces;
  };
  const std::vector<Case> cases = {
      {"C:\\Tools\\app.exe", '\\', {"C:", "Tools", "app.exe"}},
      {"app.exe", '.', {"app", "exe"}},
      {"app.tar.exe", '.', {"app", "tar", "exe"}},
      {"app.", '.', {"app"}},
      {".exe", '.', {"", "exe"}},
      {"\\\\a\\\\b\\", '\\', {"", "", "a", "", "b"}},
      {"", '\\', {}},
      {"\\", '\\', {""}},
      // 乗 (81 5C) ends in the byte of a backslash: it is one character, not a cut.
      {"C:\\\x81\x5C\\\x81\x5C.exe", '\\', {"C:", "\x81\x5C", "\x81\x5C.exe"}},
      // A lead byte at the very end stays in the last piece.
      {"a\\b\x81", '\\', {"a", "b\x81"}},
      {"a\x81", '\\', {"a\x81"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> pieces;
    for (std::string_view piece : app::drop::splitText(c.text, c.delimiter))
      pieces.emplace_back(piece);
    EXPECT_EQ(pieces, c.pieces) << c.text;
  }
}

TEST(DropEffect, FromKeysAndAllowedEffects) {
  struct Case {
    bool control;
    bool shift;
    std::uint32_t allowed;
    std::uint32_t effect;
  };
  const std::uint32_t all = kEffectCopy | kEffectMove | kEffectLink;
  const std::vector<Case> cases = {
      {false, false, all, kEffectCopy},
      {false, false, kEffectMove | kEffectLink, kEffectMove},
      {false, false, kEffectLink, kEffectLink},
      {false, false, kEffectNone, kEffectNone},
      {true, false, all, kEffectCopy},
      {true, false, kEffectMove, kEffectNone},
      {false, true, all, kEffectMove},
      {false, true, kEffectCopy, kEffectNone},
      {true, true, all, kEffectNone},
      {true, true, kEffectLink, kEffectNone},
  };
  for (const Case& c : cases)
    EXPECT_EQ(app::drop::chooseDropEffect(c.control, c.shift, c.allowed), c.effect)
        << "control " << c.control << " shift " << c.shift << " allowed " << c.allowed;
}

TEST(DroppedFilesText, OnePathExactlySeveralEachEndedByLineBreak) {
  using app::drop::droppedFilesText;
  EXPECT_EQ(droppedFilesText({"C:\\a.exe"}), "C:\\a.exe");
  EXPECT_EQ(droppedFilesText({"C:\\a.exe", "C:\\b", "D:\\c.txt"}),
            "C:\\a.exe\r\nC:\\b\r\nD:\\c.txt\r\n");
  EXPECT_EQ(droppedFilesText({}), "");
}

}  // namespace
