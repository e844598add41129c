#include "cli/progress_line.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <string>

#include "convert/conversion_failure.h"
#include "convert/io/fd_io.h"

namespace caplift {

namespace {

constexpr std::size_t kFewestInputsForProgress = 10;

std::size_t terminalWidth() {
  winsize size{};
  if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
  return 80;
}

}  // namespace

bool progressWanted(std::size_t inputs) {
  return inputs >= kFewestInputsForProgress && ::isatty(STDERR_FILENO);
}

ProgressLine::ProgressLine(std::size_t total, bool enabled) : total_(total), enabled_(enabled) {}

void ProgressLine::show(std::size_t done, std::string_view name) {
  if (!enabled_) return;
  const std::string shownName = displayable(name);
  name = shownName;
  std::string count = std::to_string(done);
  std::string width = std::to_string(total_);
  std::string line =
      "\r\033[K[" + std::string(width.size() - count.size(), ' ') + count + "/" + width + "] ";
  // A line longer than the terminal would wrap, and "\r" could no longer redraw it: keep the end
  // of the name, starting on a whole UTF-8 character.
  std::size_t used = line.size() - 4;
  std::size_t columns = terminalWidth();
  std::size_t room = columns > used + 1 ? columns - used - 1 : 0;
  if (name.size() > room) {
    name.remove_prefix(name.size() - room);
    while (!name.empty() && (static_cast<unsigned char>(name.front()) & 0xC0) == 0x80) {
      name.remove_prefix(1);
    }
  }
  line += name;
  (void)writeAll(STDERR_FILENO, line);
  shown_ = true;
}

void ProgressLine::clear() {
  if (!shown_) return;
  (void)writeAll(STDERR_FILENO, "\r\033[K");
  shown_ = false;
}

}  // namespace caplift
