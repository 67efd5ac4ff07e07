// Translation files of the prompt database generator.
//
// A UTF-8 text file adding one language to a prompt project. Blank lines and lines starting
// with '#' are ignored. Every other line is a key, a tab, and the text:
//   <id>\t<text>                 the string with that id
//   <dialog>:caption\t<text>     the caption of a dialog template
//   <dialog>:<control>\t<text>   the text of a control of a dialog template
// Ids are decimal, 0 to 65535 (dialogs 1 to 65535). In the text, \n, \t and \\ stand for a line
// break, a tab and a backslash; any other backslash sequence is an error.
#pragma once

#include <map>
#include <string>
#include <utility>

namespace zmaker {

struct Translation {
  std::map<unsigned, std::u16string> strings;  // by string id
  // by (dialog id, control id), the caption under promptdb::kCaptionControl
  std::map<std::pair<unsigned, int>, std::u16string> dialogTexts;
};

// Reads a translation file. Throws std::runtime_error("<path>:<line>: <problem>") on a bad line
// (unknown key form, missing tab, bad escape, invalid UTF-8, a key given twice) and
// std::runtime_error("<path>: <reason>") when the file cannot be read.
Translation ReadTranslationFile(const std::string& path);

}  // namespace zmaker
