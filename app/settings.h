#pragma once
// The settings of windows and controls: their value types, their numbers, and the limits that
// a write applies to them.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/bytes.h"

namespace app {

// 32 bits, red in the lowest byte, then green, then blue (the COLORREF layout).
struct Colour {
  std::uint32_t value = 0;
  friend bool operator==(Colour, Colour) = default;
};

constexpr Colour rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return Colour{static_cast<std::uint32_t>(red) | static_cast<std::uint32_t>(green) << 8 |
                static_cast<std::uint32_t>(blue) << 16};
}

// No colour chosen: as a background it stands for the system's face colour.
inline constexpr Colour kNoColour{0xFF000000u};

// Integers and choices hold an int32; texts a byte string in the ANSI code page; bytes,
// pointer shapes and font descriptions the bytes they are made of.
using SettingValue = std::variant<std::int32_t, bool, Colour, std::string, platform::Bytes>;

enum class ObjectKind { Window, Label, DropReceiver, Timer };

enum class SettingType { Integer, Boolean, Text, Choice, Colour, Bytes, Pointer, Font };

struct SettingRule {
  SettingType type;
  std::int32_t minimum = INT32_MIN;  // integers and choices only
  std::int32_t maximum = INT32_MAX;
};

// Numbers of the settings that every object has.
namespace common {
inline constexpr int kLeft = 0;
inline constexpr int kTop = 1;
inline constexpr int kWidth = 2;
inline constexpr int kHeight = 3;
inline constexpr int kTag = 4;
inline constexpr int kVisible = 5;
inline constexpr int kDisabled = 6;
inline constexpr int kPointer = 7;
}  // namespace common

namespace window_setting {
inline constexpr int kTitle = 8;
inline constexpr int kBorder = 9;
inline constexpr int kBackgroundColour = 10;
inline constexpr int kBackgroundPicture = 11;
inline constexpr int kBackgroundPictureMode = 12;
inline constexpr int kBackgroundSound = 13;
inline constexpr int kBackgroundSoundMode = 14;
inline constexpr int kControlBox = 15;
inline constexpr int kMaximizeButton = 16;
inline constexpr int kMinimizeButton = 17;
inline constexpr int kStartPosition = 18;
inline constexpr int kMovable = 19;
inline constexpr int kIcon = 20;
inline constexpr int kEnterMovesFocus = 21;
inline constexpr int kEscCloses = 22;
inline constexpr int kF1OpensHelp = 23;
inline constexpr int kHelpFile = 24;
inline constexpr int kHelpTopic = 25;
inline constexpr int kShownInTaskbar = 26;
inline constexpr int kDragAnywhere = 27;
inline constexpr int kShape = 28;
inline constexpr int kAlwaysOnTop = 29;
inline constexpr int kTitleAlwaysActive = 30;
inline constexpr int kClassName = 31;
inline constexpr int kCount = 32;
}  // namespace window_setting

namespace label_setting {
inline constexpr int kCaption = 8;
inline constexpr int kTextEffect = 9;
inline constexpr int kBorder = 10;
inline constexpr int kGradientBorderWidth = 11;
inline constexpr int kGradientBorderColour1 = 12;
inline constexpr int kFont = 15;
inline constexpr int kTextColour = 16;
inline constexpr int kBackgroundColour = 17;
inline constexpr int kPicture = 18;
inline constexpr int kPictureMode = 19;
inline constexpr int kGradientBackground = 20;
inline constexpr int kGradientBackgroundColour1 = 21;
inline constexpr int kHorizontalAlignment = 24;
inline constexpr int kWordWrap = 25;
inline constexpr int kVerticalAlignment = 26;
inline constexpr int kBoundSource = 27;
inline constexpr int kBoundColumn = 28;
inline constexpr int kCount = 29;
}  // namespace label_setting

namespace timer_setting {
inline constexpr int kPeriod = 8;
inline constexpr int kCount = 9;
}  // namespace timer_setting

namespace drop_setting {
inline constexpr int kAcceptText = 8;
inline constexpr int kAcceptHtml = 9;
inline constexpr int kAcceptLinks = 10;
inline constexpr int kAcceptFiles = 11;
inline constexpr int kCount = 12;
}  // namespace drop_setting

// Window positions and sizes are kept within what the platform's 16-bit-era coordinates
// allow: a position from -32627 to 32627, a size from 0 to 32627.
inline constexpr std::int32_t kCoordinateLimit = 32627;

// The settings of one object, indexed by number.
using Settings = std::vector<SettingValue>;

int settingCount(ObjectKind kind);

// The rule of a setting; nothing when objects of the kind have no setting of that number.
std::optional<SettingRule> settingRule(ObjectKind kind, int number);

// Every setting of the kind at its default.
Settings defaultSettings(ObjectKind kind);

// The value that a write stores: integers limited to the setting's range, choices clamped to
// theirs. Nothing when the object has no such setting or the value is of another type.
std::optional<SettingValue> limitSetting(ObjectKind kind, int number, SettingValue value);

// Typed access to a stored value; a value of another type reads as the empty one.
std::int32_t integerOf(const SettingValue& value);
bool booleanOf(const SettingValue& value);
Colour colourOf(const SettingValue& value);
const std::string& textOf(const SettingValue& value);
const platform::Bytes& bytesOf(const SettingValue& value);

}  // namespace app
