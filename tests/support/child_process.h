#pragma once
// Starts another program of the test build and waits for it: the tests of locks and of
// concurrent appends need real second processes.

#include <string>
#include <vector>

namespace testing_support {

class ChildProcess {
 public:
  // Starts the program with the arguments; running() is false when it could not start.
  ChildProcess(const std::string& program, const std::vector<std::string>& arguments);
  ~ChildProcess();  // kills the child if it still runs
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool started() const;
  // Waits for the end of the child; its exit status, or -1 when it did not end normally.
  int wait();
  void kill();

 private:
  struct State;
  State* state_;
};

// The full path of a program that lies beside the running test program.
std::string besideThisProgram(const std::string& name);

}  // namespace testing_support
