// The three ways the inspector shows a template: text for a drafter, JSON for other programs,
// an SVG picture of the drawing with each section in its own colour.
#pragma once

#include <string>

#include "drawing.h"
#include "template_view.h"

namespace zinspect {

std::string TextReport(const Drawing& drawing, const TemplateView& view);
std::string JsonReport(const Drawing& drawing, const TemplateView& view);
std::string SvgPicture(const Drawing& drawing, const TemplateView& view);

}  // namespace zinspect
