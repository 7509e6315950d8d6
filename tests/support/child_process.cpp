#include "tests/support/child_process.h"

#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
extern char** environ;
#endif

namespace testing_support {

#ifdef _WIN32
struct ChildProcess::State {
  PROCESS_INFORMATION info = {};
  bool started = false;
};

namespace {
std::string quoted(const std::string& argument) {
  std::string text(1, '"');
  text.append(argument).push_back('"');
  return text;
}
}  // namespace

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments)
    : state_(new State) {
  std::string line = quoted(program);
  for (const std::string& argument : arguments) line.append(1, ' ').append(quoted(argument));
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  state_->started = ::CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0,
                                     nullptr, nullptr, &startup, &state_->info) != FALSE;
}

ChildProcess::~ChildProcess() {
  if (!state_->started) {
    delete state_;
    return;
  }
  if (::WaitForSingleObject(state_->info.hProcess, 0) == WAIT_TIMEOUT) kill();
  ::CloseHandle(state_->info.hThread);
  ::CloseHandle(state_->info.hProcess);
  delete state_;
}

bool ChildProcess::started() const { return state_->started; }

int ChildProcess::wait() {
  if (!state_->started) return -1;
  ::WaitForSingleObject(state_->info.hProcess, INFINITE);
  DWORD status = 0;
  if (!::GetExitCodeProcess(state_->info.hProcess, &status)) return -1;
  return static_cast<int>(status);
}

void ChildProcess::kill() {
  if (!state_->started) return;
  ::TerminateProcess(state_->info.hProcess, 9);
  ::WaitForSingleObject(state_->info.hProcess, INFINITE);
}

std::string besideThisProgram(const std::string& name) {
  char own[MAX_PATH];
  DWORD length = ::GetModuleFileNameA(nullptr, own, MAX_PATH);
  std::filesystem::path folder = std::filesystem::path(std::string(own, length)).parent_path();
  return (folder / (name + ".exe")).string();
}
#else
struct ChildProcess::State {
  pid_t pid = -1;
  bool reaped = false;
  int status = -1;
};

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments)
    : state_(new State) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  if (::posix_spawn(&state_->pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
    state_->pid = -1;
}

ChildProcess::~ChildProcess() {
  if (started() && !state_->reaped) kill();
  delete state_;
}

bool ChildProcess::started() const { return state_->pid > 0; }

int ChildProcess::wait() {
  if (!started()) return -1;
  if (!state_->reaped) {
    int status = 0;
    while (::waitpid(state_->pid, &status, 0) < 0) {
    }
    state_->reaped = true;
    state_->status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  return state_->status;
}

void ChildProcess::kill() {
  if (!started() || state_->reaped) return;
  ::kill(state_->pid, SIGKILL);
  wait();
}

std::string besideThisProgram(const std::string& name) {
  std::filesystem::path own = std::filesystem::read_symlink("/proc/self/exe");
  return (own.parent_path() / name).string();
}
#endif

}  // namespace testing_support
