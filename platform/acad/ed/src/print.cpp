// Output to the command line: acutPrintf and acedPrompt.
#include <afxstr.h>

#include <cstdarg>

#include "acedads.h"
#include "zacad/commandline.h"

int acutPrintf(const ACHAR* format, ...) {
  if (format == nullptr)
    return RTERROR;
  CString text;
  va_list args;
  va_start(args, format);
  text.FormatV(format, args);
  va_end(args);
  zacad::CommandLine::instance().write(std::u16string_view(text, text.GetLength()));
  return RTNORM;
}

int acedPrompt(const ACHAR* str) {
  if (str == nullptr)
    return RTERROR;
  zacad::CommandLine::instance().write(str);
  return RTNORM;
}
