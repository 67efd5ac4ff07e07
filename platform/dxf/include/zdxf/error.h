#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

#include "zdxf/export.h"

namespace zdxf {

// A drawing that cannot be read or written. what() reads "<file>:<line>: <problem>" (or
// "<file>: byte <n>: ..." for binary files) so a person can find the fault in the file.
class ZDXF_API Error : public std::runtime_error {
 public:
  Error(const std::string& file, std::size_t line, const std::string& problem);
  ~Error() override;

  const std::string& file() const { return file_; }
  // 1-based line in an ASCII file; 0 for binary files (the byte is named in problem()) and for
  // faults not tied to a place.
  std::size_t line() const { return line_; }
  const std::string& problem() const { return problem_; }

 private:
  std::string file_;
  std::size_t line_;
  std::string problem_;
};

// Something the reader recovered from, as the host would (duplicate handle, low $HANDSEED).
struct Warning {
  std::size_t line = 0;  // as Error::line(), but the byte offset in a binary file
  std::string message;   // "<file>:<line>: <problem>" or "<file>: byte <n>: <problem>"
};

}  // namespace zdxf
