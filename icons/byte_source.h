#pragma once
// Where the readers take their bytes from: an open file, read piece by piece at offsets (a
// program file is never read whole), or bytes already in memory (fuzzing, tests).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "platform/env.h"

namespace icons {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // The number of bytes there are.
  virtual std::uint64_t size() const = 0;
  // Reads exactly `count` bytes at `offset`; false when fewer are there or a read fails.
  virtual bool readExact(std::uint64_t offset, void* buffer, std::size_t count) = 0;
};

class MemoryByteSource final : public ByteSource {
 public:
  explicit MemoryByteSource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  std::uint64_t size() const override { return bytes_.size(); }
  bool readExact(std::uint64_t offset, void* buffer, std::size_t count) override;

 private:
  std::span<const std::uint8_t> bytes_;
};

class FileByteSource final : public ByteSource {
 public:
  // Opens an existing file for reading through platform::env(); null when it cannot be opened
  // or its length cannot be taken.
  static std::unique_ptr<FileByteSource> open(const std::string& path, platform::Sharing sharing);

  std::uint64_t size() const override { return size_; }
  bool readExact(std::uint64_t offset, void* buffer, std::size_t count) override;

 private:
  FileByteSource(std::unique_ptr<platform::File> file, std::uint64_t size)
      : file_(std::move(file)), size_(size) {}

  std::unique_ptr<platform::File> file_;
  std::uint64_t size_;
};

}  // namespace icons
