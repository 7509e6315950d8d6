#pragma once
// The qdb tool's commands, apart from its main so that the tests run them in their own process.

#include <ostream>
#include <string>
#include <vector>

namespace qdb {

// Runs one command line (without the program name). Returns the exit status: 0 on success, 1
// when the store reports a failure or check finds a fault, 2 for a wrong command line.
int run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace qdb
