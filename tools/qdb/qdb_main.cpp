// qdb: create, inspect, dump, append to and check entry store files.
#include <iostream>

#include "tools/qdb/qdb_commands.h"
#include "tools/qdb/text_conversion.h"

int main(int argc, char** argv) {
  return qdb::run(qdb::utf8Arguments(argc, argv), std::cout, std::cerr);
}
