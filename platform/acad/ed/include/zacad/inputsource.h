// Where the command line's answers come from: the terminal, a script file or a list of strings.
// A source only delivers lines; the command line (zacad/commandline.h) decides how much of a
// line one answer takes, so every source follows the same Enter, quoting and cancel rules.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "zacad/edexport.h"

namespace zacad {

// One step of input: a line (without its line end), an Escape, or the end of the source.
struct InputLine {
  enum class Kind { kLine, kCancel, kEnd };
  Kind kind = Kind::kEnd;
  std::u16string text;
};

// What the command line waits for, so that a source can offer the fitting way to answer: a
// page or a window picks entities at a selection prompt and draws a rubber band from the base
// point of a second point, where a terminal just reads a line.
struct InputRequest {
  enum class Kind {
    kText,       // a string
    kCommand,    // a command name, at the Command prompt
    kPoint,      // a point (acedGetPoint)
    kCorner,     // a window's other corner: the band from the base is a rectangle
    kDistance,   // a number or points (acedGetDist); the second point has the first as base
    kAngle,      // the same for angles
    kSelection,  // "Select objects": picks, windows, selection keywords
    kKeyword,    // one of `keywords`
    kNumber,     // an integer or a real
    kDialog,     // an answer to the dialog on screen
  };
  Kind kind = Kind::kText;
  std::optional<std::array<double, 3>> base;  // a rubber band starts here
  std::vector<std::u16string> keywords;       // what may be typed instead, as shown
};

class ZACAD_ED_API InputSource {
 public:
  virtual ~InputSource();

  // Next line. `prompt` is the last line of the prompt on screen, for sources that draw it
  // themselves (line editing); the others ignore it, the command line has printed it.
  virtual InputLine next(std::u16string_view prompt) = 0;

  // True when the prompt and the typed line are already on screen once next() returns (a
  // person typing at a terminal); otherwise the command line echoes each answer after its
  // prompt, as the host echoes script input.
  virtual bool showsTyping() const { return false; }

  // True for batch input: a comment or `^C` has meaning there, and a wrong answer stops the
  // input instead of asking again, as the host suspends a script on an input error.
  virtual bool isBatch() const { return false; }

  // Where the last line came from, for messages ("script.scr, line 4").
  virtual std::string position() const = 0;

  // Told before each next() what that line will answer.
  virtual void expect(const InputRequest& request);

  // True for a source that shows the selection being built; only such a source is told its
  // members (selecting), since listing them costs memory a drawing's size over ALL.
  virtual bool showsSelection() const { return false; }

  // The members of the selection being built at "Select objects", by handle, after each
  // change, then none when the prompt ends, so that a view can highlight them meanwhile.
  virtual void selecting(const std::vector<uint64_t>& handles);

  // How many drawing units one pixel of the source's view measures: a pick's aperture
  // (PICKBOX, in pixels) is measured with it. Sources without a view count one unit a pixel.
  virtual double pixelSize() const { return 1.0; }
};

// The terminal: GNU readline with history when stdin is a tty, plain lines when it is piped.
// Ctrl-C and Escape cancel the current prompt.
ZACAD_ED_API std::unique_ptr<InputSource> MakeTerminalSource();

// A script (.scr): lines starting with ';' are comments, `^C` cancels, and the source ends at
// the end of the file. Returns null with `error` set when the file cannot be read.
ZACAD_ED_API std::unique_ptr<InputSource> MakeScriptSource(const std::string& path,
                                                           std::string& error);

// Fixed lines, for tests and command-line arguments; script rules apply (comments, `^C`).
ZACAD_ED_API std::unique_ptr<InputSource> MakeStringSource(std::vector<std::u16string> lines);

}  // namespace zacad
