#include "tests/store/database_image.h"

#include <algorithm>
#include <cstring>

namespace store_test {

void putInt32(Bytes& bytes, std::size_t offset, std::int32_t value) {
  auto bits = static_cast<std::uint32_t>(value);
  for (std::size_t i = 0; i < 4; ++i) bytes.at(offset + i) = static_cast<std::uint8_t>(bits >> (8 * i));
}

std::int32_t int32At(const Bytes& bytes, std::size_t offset) {
  std::uint32_t bits = 0;
  for (std::size_t i = 0; i < 4; ++i) bits |= std::uint32_t{bytes.at(offset + i)} << (8 * i);
  return static_cast<std::int32_t>(bits);
}

Bytes DatabaseImage::textRecord(std::int32_t serial, const std::vector<std::string>& texts) const {
  Bytes record(static_cast<std::size_t>(recordSize), 0);
  putInt32(record, 0, serial);
  std::size_t next = 0;
  for (const Field& field : fields) {
    if (field.type != kText || next == texts.size()) continue;
    const std::string& text = texts[next++];
    std::memcpy(record.data() + field.offset, text.data(),
                std::min(text.size(), static_cast<std::size_t>(field.width)));
  }
  return record;
}

DatabaseImage& DatabaseImage::add(Bytes record) {
  records.push_back(std::move(record));
  ++recordCount;
  ++nextSerial;
  return *this;
}

Bytes DatabaseImage::bytes() const {
  Bytes out(dataStart(), 0);
  std::memcpy(out.data(), magic.data(), std::min<std::size_t>(magic.size(), 4));
  putInt32(out, 4, version);
  putInt32(out, 16, recordCount);
  putInt32(out, 20, nextSerial);
  putInt32(out, 24, recordSize);
  putInt32(out, 112, static_cast<std::int32_t>(fields.size()));
  for (std::size_t i = 0; i < fields.size(); ++i) {
    std::size_t at = 116 + 72 * i;
    const Field& field = fields[i];
    std::memcpy(out.data() + at, field.name.data(), std::min<std::size_t>(field.name.size(), 20));
    putInt32(out, at + 20, static_cast<std::int32_t>(field.type));
    putInt32(out, at + 24, field.offset);
    putInt32(out, at + 28, field.width);
  }
  for (Bytes record : records) {
    record.resize(static_cast<std::size_t>(recordSize), 0);
    out.insert(out.end(), record.begin(), record.end());
  }
  return out;
}

DatabaseImage launchEntryImage() {
  DatabaseImage image;
  image.recordSize = 540;
  image.fields = {{"xuhao", kText, 4, 16}, {"wenjian", kText, 20, 260}, {"tubiao", kText, 280, 260}};
  return image;
}

DatabaseImage launchEntryRemarkImage() {
  DatabaseImage image;
  image.recordSize = 284;
  image.fields = {{"xuhao", kText, 4, 16}, {"wenjian", kText, 20, 260}, {"tubiao", kRemark, 280, 4}};
  return image;
}

std::int32_t AuxiliaryImage::add(Bytes block) {
  blocks.push_back(std::move(block));
  return blockCount++;
}

Bytes AuxiliaryImage::bytes() const {
  Bytes out(512, 0);
  std::memcpy(out.data(), "HQDT", 4);
  putInt32(out, 4, version);
  putInt32(out, 16, blockCount);
  putInt32(out, 20, freeCount);
  putInt32(out, 24, freeHead);
  for (const Bytes& b : blocks) out.insert(out.end(), b.begin(), b.end());
  return out;
}

Bytes block(std::int32_t previous, std::int32_t next, std::string_view data,
            std::optional<std::int32_t> used) {
  Bytes out(512, 0);
  putInt32(out, 0, previous);
  putInt32(out, 4, next);
  putInt32(out, 8, used.value_or(static_cast<std::int32_t>(data.size())));
  std::memcpy(out.data() + 12, data.data(), std::min<std::size_t>(data.size(), 500));
  return out;
}

}  // namespace store_test
