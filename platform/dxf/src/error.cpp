#include "zdxf/error.h"

namespace zdxf {

namespace {
std::string describe(const std::string& file, std::size_t line, const std::string& problem) {
  if (line == 0)
    return file + ": " + problem;
  return file + ":" + std::to_string(line) + ": " + problem;
}
}  // namespace

Error::Error(const std::string& file, std::size_t line, const std::string& problem)
    : std::runtime_error(describe(file, line, problem)),
      file_(file),
      line_(line),
      problem_(problem) {}

Error::~Error() = default;

}  // namespace zdxf
