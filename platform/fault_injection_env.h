#pragma once
// An Env that passes everything to another Env and can make one chosen read or write fail,
// so that tests of the layers above reach their error paths without a special build.
// Calls are counted across every file opened through this Env, from 1.

#include <cstdint>

#include "platform/env.h"

namespace platform {

enum class Fault {
  ShortWrite,  // the write transfers half of its bytes (at least one fewer), no error
  IoError,     // the call transfers nothing and reports a hardware error
  DiskFull,    // the write transfers nothing and reports a full disk
};

class FaultInjectionEnv : public Env {
 public:
  explicit FaultInjectionEnv(Env& base);

  // The nth write (n counted from the next one, 1 is the very next) fails with the fault;
  // every write after it succeeds again unless `sticky` is set.
  void failWrite(int n, Fault fault, bool sticky = false);
  // The nth read fails with a hardware error (or, for ShortWrite, transfers half).
  void failRead(int n, Fault fault, bool sticky = false);
  void clearFaults();

  int writeCount() const { return writes_; }
  int readCount() const { return reads_; }

  OpenResult open(const std::string& path, Access access, Sharing sharing,
                  Disposition disposition) override;
  std::string fullPath(const std::string& name) override;
  bool exists(const std::string& path) override;
  ErrorKind createDirectory(const std::string& path) override;
  ErrorKind removeFile(const std::string& path) override;
  ErrorKind renameFile(const std::string& from, const std::string& to) override;
  std::uint32_t tickCount() override;
  void sleepMilliseconds(std::uint32_t milliseconds) override;

 private:
  class FaultyFile;
  struct Plan {
    int at = 0;  // the call number that fails; 0 when none is planned
    Fault fault = Fault::IoError;
    bool sticky = false;
  };
  bool due(const Plan& plan, int call) const;

  Env& base_;
  int writes_ = 0;
  int reads_ = 0;
  Plan writePlan_;
  Plan readPlan_;
};

}  // namespace platform
