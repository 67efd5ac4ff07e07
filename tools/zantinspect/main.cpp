// zantinspect: shows the list template marked in a drawing, without changing the drawing.
//   zantinspect [--json] [--svg PICTURE.svg] DRAWING.dxf
//   zantinspect --tint-rules [DRAWING.dxf]
// Exit status: 0 when the drawing was read (with or without a template), 1 when it cannot be
// read or the picture cannot be written, 2 for a wrong command line.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <system_error>

#include "drawing_reader.h"
#include "reports.h"
#include "template_view.h"

namespace {

constexpr const char* kUsage =
    "usage: zantinspect [--json] [--svg PICTURE.svg] DRAWING.dxf\n"
    "       zantinspect --tint-rules [DRAWING.dxf]\n"
    "Shows the list template marked in the drawing: its sections, the body's distribution,\n"
    "the footer parts, the variable texts and what to fix. --json prints the same for other\n"
    "programs; --svg also draws the drawing with each section in its own colour.\n"
    "--tint-rules prints those colours as rules for the host's page (zanthost --web --tint),\n"
    "with the footer parts of the drawing when one is given.\n";

// Written beside the target and renamed over it, so that a failure never leaves half a file.
bool WriteWhole(const std::string& path, const std::string& bytes, std::string& error) {
  const std::string temp = path + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out << bytes;
    out.flush();
    if (!out) {
      error = "cannot write " + path;
      std::error_code ignored;
      std::filesystem::remove(temp, ignored);
      return false;
    }
  }
  std::error_code ec;
  std::filesystem::rename(temp, path, ec);
  if (ec) {
    error = "cannot write " + path + ": " + ec.message();
    std::filesystem::remove(temp, ec);
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  bool json = false;
  bool tintRules = false;
  std::string svg;
  std::string file;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--json") {
      json = true;
    } else if (arg == "--tint-rules") {
      tintRules = true;
    } else if (arg == "--svg" && i + 1 < argc) {
      svg = argv[++i];
    } else if (arg == "-h" || arg == "--help") {
      std::cout << kUsage;
      return 0;
    } else if (arg.starts_with("-") || !file.empty()) {
      std::cerr << kUsage;
      return 2;
    } else {
      file = arg;
    }
  }
  if (tintRules && (json || !svg.empty())) {
    std::cerr << kUsage;
    return 2;
  }
  if (tintRules && file.empty()) {
    std::cout << zinspect::TintRules(zinspect::ViewTemplate(zinspect::Drawing{}));
    return 0;
  }
  if (file.empty()) {
    std::cerr << kUsage;
    return 2;
  }

  std::error_code ec;
  if (!svg.empty() && std::filesystem::equivalent(svg, file, ec)) {
    std::cerr << "zantinspect: the picture would replace the drawing " << file << '\n';
    return 2;
  }
  const zinspect::ReadResult read = zinspect::ReadDrawing(file);
  if (!read.drawing) {
    std::cerr << "zantinspect: " << read.error << '\n';
    return 1;
  }
  const zinspect::TemplateView view = zinspect::ViewTemplate(*read.drawing);
  if (tintRules) {
    std::cout << zinspect::TintRules(view);
    return 0;
  }
  std::cout << (json ? zinspect::JsonReport(*read.drawing, view)
                     : zinspect::TextReport(*read.drawing, view));
  if (!svg.empty()) {
    std::string error;
    if (!WriteWhole(svg, zinspect::SvgPicture(*read.drawing, view), error)) {
      std::cerr << "zantinspect: " << error << '\n';
      return 1;
    }
  }
  return 0;
}
