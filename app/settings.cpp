#include "app/settings.h"

#include <algorithm>

#include "app/texts.h"

namespace app {
namespace {

struct SettingEntry {
  SettingRule rule;
  SettingValue initial;
};

constexpr Colour kGrey = rgb(128, 128, 128);
constexpr Colour kWhite = rgb(255, 255, 255);
constexpr Colour kBlack = rgb(0, 0, 0);

SettingEntry integer(std::int32_t initial, std::int32_t minimum = INT32_MIN,
                     std::int32_t maximum = INT32_MAX) {
  return {{SettingType::Integer, minimum, maximum}, initial};
}
SettingEntry choice(std::int32_t maximum, std::int32_t initial) {
  return {{SettingType::Choice, 0, maximum}, initial};
}
SettingEntry boolean(bool initial) { return {{SettingType::Boolean}, initial}; }
SettingEntry text(std::string_view initial = {}) {
  return {{SettingType::Text}, std::string(initial)};
}
SettingEntry colour(Colour initial) { return {{SettingType::Colour}, initial}; }
SettingEntry bytes(SettingType type = SettingType::Bytes) { return {{type}, platform::Bytes{}}; }

std::vector<SettingEntry> commonEntries() {
  return {
      integer(0, -kCoordinateLimit, kCoordinateLimit),  // left
      integer(0, -kCoordinateLimit, kCoordinateLimit),  // top
      integer(0, 0, kCoordinateLimit),                  // width
      integer(0, 0, kCoordinateLimit),                  // height
      text(),                                           // tag
      boolean(true),                                    // visible
      boolean(false),                                   // disabled
      bytes(SettingType::Pointer),                      // pointer: empty is the arrow
  };
}

std::vector<SettingEntry> buildEntries(ObjectKind kind) {
  std::vector<SettingEntry> entries = commonEntries();
  auto add = [&entries](std::initializer_list<SettingEntry> more) {
    entries.insert(entries.end(), more.begin(), more.end());
  };
  switch (kind) {
    case ObjectKind::Window:
      add({
          text(),             // 8 title
          choice(6, 2),       // 9 border
          colour(kNoColour),  // 10 background colour
          bytes(),            // 11 background picture
          choice(3, 1),       // 12 background picture mode
          bytes(),            // 13 background sound
          choice(2, 0),       // 14 background sound play mode
          boolean(true),      // 15 control box
          boolean(false),     // 16 maximize button
          boolean(true),      // 17 minimize button
          choice(3, 1),       // 18 start position
          boolean(true),      // 19 movable
          bytes(),            // 20 icon
          boolean(false),     // 21 Enter moves the focus
          boolean(true),      // 22 Esc closes
          boolean(false),     // 23 F1 opens help
          text(),             // 24 help file name
          integer(0),         // 25 help topic number
          boolean(true),      // 26 shown in the taskbar
          boolean(false),     // 27 drag anywhere
          choice(29, 0),      // 28 window shape
          boolean(false),     // 29 always on top
          boolean(false),     // 30 title bar always drawn active
          text(),             // 31 window class name
      });
      break;
    case ObjectKind::Label:
      add({
          text(texts::kLabelCaption),  // 8 caption
          choice(3, 0),                // 9 text effect
          choice(6, 0),                // 10 border
          integer(8, 5),               // 11 gradient border width
          colour(kGrey),               // 12 to 14 gradient border colours
          colour(kWhite),
          colour(kGrey),
          bytes(SettingType::Font),  // 15 font: empty is the default GUI font
          colour(kBlack),            // 16 text colour
          colour(kNoColour),         // 17 background colour
          bytes(),                   // 18 picture
          choice(2, 1),              // 19 picture mode
          choice(8, 0),              // 20 gradient background
          colour(kGrey),             // 21 to 23 gradient background colours
          colour(kWhite),
          colour(kGrey),
          choice(2, 0),    // 24 horizontal text alignment
          boolean(false),  // 25 word wrap
          choice(2, 1),    // 26 vertical text alignment
          text(),          // 27 bound data source
          text(),          // 28 bound data column
      });
      break;
    case ObjectKind::Timer:
      add({integer(0, 0)});  // 8 period in milliseconds; a negative one counts as 0
      break;
    case ObjectKind::DropReceiver:
      add({boolean(false), boolean(false), boolean(false), boolean(false)});  // 8 to 11
      break;
  }
  return entries;
}

const std::vector<SettingEntry>& entriesOf(ObjectKind kind) {
  static const std::vector<SettingEntry> window = buildEntries(ObjectKind::Window);
  static const std::vector<SettingEntry> label = buildEntries(ObjectKind::Label);
  static const std::vector<SettingEntry> timer = buildEntries(ObjectKind::Timer);
  static const std::vector<SettingEntry> drop = buildEntries(ObjectKind::DropReceiver);
  switch (kind) {
    case ObjectKind::Window:
      return window;
    case ObjectKind::Label:
      return label;
    case ObjectKind::Timer:
      return timer;
    case ObjectKind::DropReceiver:
      return drop;
  }
  return window;
}

bool holdsTypeOf(SettingType type, const SettingValue& value) {
  switch (type) {
    case SettingType::Integer:
    case SettingType::Choice:
      return std::holds_alternative<std::int32_t>(value);
    case SettingType::Boolean:
      return std::holds_alternative<bool>(value);
    case SettingType::Text:
      return std::holds_alternative<std::string>(value);
    case SettingType::Colour:
      return std::holds_alternative<Colour>(value);
    case SettingType::Bytes:
    case SettingType::Pointer:
    case SettingType::Font:
      return std::holds_alternative<platform::Bytes>(value);
  }
  return false;
}

}  // namespace

int settingCount(ObjectKind kind) { return static_cast<int>(entriesOf(kind).size()); }

std::optional<SettingRule> settingRule(ObjectKind kind, int number) {
  const auto& entries = entriesOf(kind);
  if (number < 0 || number >= static_cast<int>(entries.size())) return std::nullopt;
  return entries[static_cast<std::size_t>(number)].rule;
}

Settings defaultSettings(ObjectKind kind) {
  Settings settings;
  for (const SettingEntry& entry : entriesOf(kind)) settings.push_back(entry.initial);
  return settings;
}

std::optional<SettingValue> limitSetting(ObjectKind kind, int number, SettingValue value) {
  std::optional<SettingRule> rule = settingRule(kind, number);
  if (!rule || !holdsTypeOf(rule->type, value)) return std::nullopt;
  if (auto* integer = std::get_if<std::int32_t>(&value)) {
    *integer = std::clamp(*integer, rule->minimum, rule->maximum);
  }
  return value;
}

std::int32_t integerOf(const SettingValue& value) {
  const auto* integer = std::get_if<std::int32_t>(&value);
  return integer ? *integer : 0;
}

bool booleanOf(const SettingValue& value) {
  const auto* boolean = std::get_if<bool>(&value);
  return boolean && *boolean;
}

Colour colourOf(const SettingValue& value) {
  const auto* colour = std::get_if<Colour>(&value);
  return colour ? *colour : Colour{};
}

const std::string& textOf(const SettingValue& value) {
  static const std::string empty;
  const auto* text = std::get_if<std::string>(&value);
  return text ? *text : empty;
}

const platform::Bytes& bytesOf(const SettingValue& value) {
  static const platform::Bytes empty;
  const auto* bytes = std::get_if<platform::Bytes>(&value);
  return bytes ? *bytes : empty;
}

}  // namespace app
