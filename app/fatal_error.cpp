#include "app/fatal_error.h"

#include <cstdlib>

#include "app/texts.h"

namespace app {
namespace {

constexpr std::string_view kLineBreak = "\r\n";

FatalErrorPresenter presenter = nullptr;

}  // namespace

std::string fatalErrorText(int errorNumber, std::string_view message) {
  std::string text(texts::kFatalHeading);
  text.append(kLineBreak).append(kLineBreak);
  if (errorNumber != 0) {
    text.append(texts::kFatalNumberLabel).append(std::to_string(errorNumber));
    text.append(kLineBreak).append(kLineBreak);
  }
  if (!message.empty()) text.append(texts::kFatalMessageLabel).append(message).append(kLineBreak);
  return text;
}

std::string outOfMemoryMessage(std::size_t byteCount) {
  std::string text(texts::kOutOfMemoryBefore);
  text.append(std::to_string(byteCount)).append(texts::kOutOfMemoryAfter);
  return text;
}

FatalErrorPresenter setFatalErrorPresenter(FatalErrorPresenter replacement) {
  FatalErrorPresenter previous = presenter;
  presenter = replacement;
  return previous;
}

void reportFatalError(int errorNumber, std::string_view message) {
  if (presenter) presenter(fatalErrorText(errorNumber, message));
  // Ends at once: the check may have failed deep inside a window procedure, where running the
  // destructors of the windowing state would only fail again.
  std::_Exit(kFatalExitStatus);
}

}  // namespace app
