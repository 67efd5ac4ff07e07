// The ways the inspector shows a template: text for a drafter, JSON for other programs, an SVG
// picture of the drawing with each section in its own colour, and the same colours as tint rules
// for the host's page.
#pragma once

#include <string>

#include "drawing.h"
#include "template_view.h"

namespace zinspect {

std::string TextReport(const Drawing& drawing, const TemplateView& view);
std::string JsonReport(const Drawing& drawing, const TemplateView& view);
std::string SvgPicture(const Drawing& drawing, const TemplateView& view);
// {"title", "rules": [{"colour", "label", "application", "groups": [[code, value], ...]}],
// "others": {"colour", "label"}}: a rule tints an entity whose data of the application is
// exactly those groups (a null value: any; a text ending in "*": any text starting so), the
// first rule that matches winning; "others" is for the entities no rule tints.
std::string TintRules(const TemplateView& view);

// A JSON string of UTF-8 text.
std::string JsonString(std::string_view text);

}  // namespace zinspect
