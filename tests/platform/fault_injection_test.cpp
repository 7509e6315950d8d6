#include <gtest/gtest.h>

#include "platform/fault_injection_env.h"
#include "platform/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace {

using platform::ErrorKind;
using platform::Fault;

TEST(FaultInjectionTest, TheChosenWriteFailsAndOthersPass) {
  testing_support::TempFolder folder;
  platform::FaultInjectionEnv faulty(platform::defaultEnv());
  platform::ScopedEnv inForce(faulty);
  ASSERT_EQ(&platform::env(), &faulty);

  auto file = platform::env()
                  .open(folder.file("f"), platform::Access::ReadWrite, platform::Sharing::DenyNone,
                        platform::Disposition::CreateNew)
                  .file;
  ASSERT_TRUE(file);
  struct Case {
    Fault fault;
    std::size_t count;
    ErrorKind error;
  } cases[] = {{Fault::ShortWrite, 4, ErrorKind::None},
               {Fault::IoError, 0, ErrorKind::Hardware},
               {Fault::DiskFull, 0, ErrorKind::DiskFull}};
  for (const Case& c : cases) {
    faulty.failWrite(2, c.fault);
    EXPECT_EQ(file->writeAt(0, "12345678", 8).count, 8u);
    auto failed = file->writeAt(0, "12345678", 8);
    EXPECT_EQ(failed.count, c.count);
    EXPECT_EQ(failed.error, c.error);
    EXPECT_EQ(file->writeAt(0, "12345678", 8).count, 8u);
  }
  faulty.failRead(1, Fault::IoError);
  char buffer[4];
  EXPECT_EQ(file->readAt(0, buffer, 4).error, ErrorKind::Hardware);
  EXPECT_EQ(file->readAt(0, buffer, 4).count, 4u);
}

}  // namespace
