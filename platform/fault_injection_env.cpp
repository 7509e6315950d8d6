#include "platform/fault_injection_env.h"

#include <utility>

namespace platform {

class FaultInjectionEnv::FaultyFile : public File {
 public:
  FaultyFile(FaultInjectionEnv& owner, std::unique_ptr<File> base)
      : owner_(owner), base_(std::move(base)) {}

  IoResult readAt(std::uint64_t offset, void* buffer, std::size_t count) override {
    int call = ++owner_.reads_;
    if (owner_.due(owner_.readPlan_, call)) {
      if (owner_.readPlan_.fault == Fault::ShortWrite) return base_->readAt(offset, buffer, count / 2);
      return {0, ErrorKind::Hardware};
    }
    return base_->readAt(offset, buffer, count);
  }

  IoResult writeAt(std::uint64_t offset, const void* data, std::size_t count) override {
    int call = ++owner_.writes_;
    if (owner_.due(owner_.writePlan_, call)) {
      switch (owner_.writePlan_.fault) {
        case Fault::ShortWrite:
          return base_->writeAt(offset, data, count / 2);
        case Fault::IoError:
          return {0, ErrorKind::Hardware};
        case Fault::DiskFull:
          return {0, ErrorKind::DiskFull};
      }
    }
    return base_->writeAt(offset, data, count);
  }

  LengthResult length() override { return base_->length(); }
  ErrorKind setLength(std::uint64_t length) override { return base_->setLength(length); }
  LockResult lock(std::uint64_t offset, std::uint64_t length) override {
    return base_->lock(offset, length);
  }
  ErrorKind unlock(std::uint64_t offset, std::uint64_t length) override {
    return base_->unlock(offset, length);
  }

 private:
  FaultInjectionEnv& owner_;
  std::unique_ptr<File> base_;
};

FaultInjectionEnv::FaultInjectionEnv(Env& base) : base_(base) {}

void FaultInjectionEnv::failWrite(int n, Fault fault, bool sticky) {
  writePlan_ = {writes_ + n, fault, sticky};
}

void FaultInjectionEnv::failRead(int n, Fault fault, bool sticky) {
  readPlan_ = {reads_ + n, fault, sticky};
}

void FaultInjectionEnv::clearFaults() {
  writePlan_ = {};
  readPlan_ = {};
}

bool FaultInjectionEnv::due(const Plan& plan, int call) const {
  if (plan.at == 0) return false;
  return plan.sticky ? call >= plan.at : call == plan.at;
}

OpenResult FaultInjectionEnv::open(const std::string& path, Access access, Sharing sharing,
                                   Disposition disposition) {
  OpenResult result = base_.open(path, access, sharing, disposition);
  if (result.file) result.file = std::make_unique<FaultyFile>(*this, std::move(result.file));
  return result;
}

std::string FaultInjectionEnv::fullPath(const std::string& name) { return base_.fullPath(name); }
bool FaultInjectionEnv::exists(const std::string& path) { return base_.exists(path); }
ErrorKind FaultInjectionEnv::createDirectory(const std::string& path) {
  return base_.createDirectory(path);
}
ErrorKind FaultInjectionEnv::removeFile(const std::string& path) { return base_.removeFile(path); }
ErrorKind FaultInjectionEnv::renameFile(const std::string& from, const std::string& to) {
  return base_.renameFile(from, to);
}
std::uint32_t FaultInjectionEnv::tickCount() { return base_.tickCount(); }
void FaultInjectionEnv::sleepMilliseconds(std::uint32_t milliseconds) {
  base_.sleepMilliseconds(milliseconds);
}

}  // namespace platform
