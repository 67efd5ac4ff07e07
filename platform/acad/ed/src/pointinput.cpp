// Points, corners, distances and angles typed at the command line: "x,y" or "x,y,z", "@dx,dy"
// relative to the last point, "d<a" polar (angle in degrees), "@" the last point itself. A
// distance or an angle may also be typed as a number. Every accepted point becomes LASTPOINT.
#include <cmath>
#include <numbers>
#include <optional>
#include <string>

#include "acedads.h"
#include "inputoptions.h"
#include "sysvars.h"
#include "zacad/commandline.h"
#include "zacad/hostmessages.h"

namespace {

using zacad::Answer;
using zacad::AnswerMode;
using zacad::CommandLine;
using zacad::InputOptions;
using zacad::InputRequest;
using zacad::Message;
using zacad::Msg;
using zacad::ParseReal;
using zacad::Point3;

constexpr double kDegree = std::numbers::pi / 180.0;

// One answer to a point prompt: a point, a number (where one is allowed), a keyword or Enter.
struct Reply {
  int status = RTCAN;  // RTNORM, RTNONE, RTKWORD or RTCAN
  std::optional<Point3> point;
  double number = 0;
};

// What a point question waits for: `kind`, measured from `base` when there is one.
InputRequest Request(InputRequest::Kind kind, const std::optional<Point3>& base,
                     const InputOptions& options) {
  return {kind, base, options.keywords.shown()};
}

// Asks until the answer is a point, an allowed number, a keyword or an allowed Enter.
// `invalid` is the host's message for anything else.
Reply Ask(const ACHAR* prompt, const InputOptions& options, InputRequest request, bool numbers,
          std::u16string invalid) {
  if (!options.keywords.empty())
    invalid = invalid.substr(0, invalid.size() - 1) + u" or option keyword.";
  Reply reply;
  std::optional<std::u16string> keyword;
  auto check = [&](const std::u16string& text) -> std::optional<std::u16string> {
    keyword.reset();
    reply.point.reset();
    if (text.empty())
      return (options.flags & RSG_NONULL) ? std::optional(invalid) : std::nullopt;
    if ((keyword = options.keywords.match(text)))
      return std::nullopt;
    if (numbers) {
      if (std::optional<double> number = ParseReal(text)) {
        if (auto wrong = zacad::CheckSign(options, *number))
          return wrong;
        reply.number = *number;
        return std::nullopt;
      }
    }
    if ((reply.point = zacad::ParsePoint(text)))
      return std::nullopt;
    return invalid;
  };
  CommandLine& line = CommandLine::instance();
  line.expect(std::move(request));
  Answer answer = line.ask(zacad::PromptText(prompt), AnswerMode::kToken, check);
  if (!answer.ok()) {
    reply.status = RTCAN;
  } else if (answer.text.empty()) {
    reply.status = RTNONE;
  } else if (keyword) {
    zacad::SetLastKeyword(*keyword);
    reply.status = RTKWORD;
  } else {
    reply.status = RTNORM;
    if (reply.point)
      zacad::SetLastPoint(*reply.point);
  }
  return reply;
}

void Store(const Point3& point, ads_point result) {
  if (result != nullptr) {
    for (int i = 0; i < 3; ++i)
      result[i] = point[i];
  }
}

Point3 ToPoint(const ads_point pt) {
  return {pt[0], pt[1], pt[2]};
}

double Distance(const Point3& a, const Point3& b, bool flat) {
  double dz = flat ? 0 : b[2] - a[2];
  return std::hypot(b[0] - a[0], b[1] - a[1], dz);
}

// The second point of a distance or an angle measured from `point`: no Enter, no keyword.
int AskSecondPoint(const ACHAR* prompt, InputRequest::Kind kind, Point3& point) {
  InputOptions options;
  options.flags = RSG_NONULL;
  Reply reply =
      Ask(prompt, options, Request(kind, point, options), false, Message(Msg::kInvalidPoint));
  if (reply.status != RTNORM)
    return reply.status;
  point = *reply.point;
  return RTNORM;
}

// Distance or angle input: a typed number, or points measured from `pt` (asked for when
// null). `measure` turns the two points into the result.
template <typename Measure>
int AskMeasure(const ads_point pt, const ACHAR* prompt, InputRequest::Kind kind,
               std::u16string invalid, double factor, Measure measure, ads_real* result) {
  InputOptions options = zacad::TakeOptions();
  CommandLine& line = CommandLine::instance();
  const std::optional<Point3> given =
      pt == nullptr ? std::nullopt : std::optional<Point3>(ToPoint(pt));
  for (;;) {
    Reply reply = Ask(prompt, options, Request(kind, given, options), true, invalid);
    if (reply.status != RTNORM)
      return reply.status;
    double value = reply.number * factor;
    if (reply.point) {
      Point3 base = *reply.point;
      Point3 second = base;
      if (pt != nullptr) {
        base = ToPoint(pt);
        second = *reply.point;
      } else if (int status = AskSecondPoint(Message(Msg::kSecondPoint).c_str(), kind, second);
                 status != RTNORM) {
        return status;
      }
      value = measure(base, second, options);
      // Two points that measure zero under RSG_NOZERO: the whole question is asked again.
      if (auto wrong = zacad::CheckSign(options, value)) {
        line.write(u"\n" + *wrong + u"\n");
        if (line.source() != nullptr && line.source()->isBatch()) {
          line.fail(*wrong);
          return RTCAN;
        }
        continue;
      }
    }
    if (result != nullptr)
      *result = value;
    return RTNORM;
  }
}

}  // namespace

std::optional<Point3> zacad::ParsePoint(std::u16string_view text) {
  Point3 base = {0, 0, 0};
  if (!text.empty() && text[0] == u'@') {
    base = zacad::LastPoint();
    text.remove_prefix(1);
    if (text.empty())
      return base;
  }
  size_t angle = text.find(u'<');
  if (angle != std::u16string_view::npos) {
    std::optional<double> distance = ParseReal(text.substr(0, angle));
    std::optional<double> degrees = ParseReal(text.substr(angle + 1));
    if (!distance || !degrees)
      return std::nullopt;
    return Point3{base[0] + *distance * std::cos(*degrees * kDegree),
                  base[1] + *distance * std::sin(*degrees * kDegree), base[2]};
  }
  Point3 point = base;
  size_t start = 0;
  for (int i = 0; i < 3; ++i) {
    size_t comma = text.find(u',', start);
    std::optional<double> value = ParseReal(text.substr(start, comma - start));
    if (!value)
      return std::nullopt;
    point[i] += *value;
    if (comma == std::u16string_view::npos)
      return i == 0 ? std::nullopt : std::optional<Point3>(point);  // one number is no point
    start = comma + 1;
  }
  return std::nullopt;  // a fourth coordinate
}

namespace {

// A point, or a corner, from the base point `pt` when given: the base only draws a rubber band
// on screen.
int AskPoint(const ads_point pt, const ACHAR* prompt, InputRequest::Kind kind, ads_point result) {
  const InputOptions options = zacad::TakeOptions();
  const std::optional<Point3> base =
      pt == nullptr ? std::nullopt : std::optional<Point3>(ToPoint(pt));
  Reply reply =
      Ask(prompt, options, Request(kind, base, options), false, Message(Msg::kInvalidPoint));
  if (reply.status == RTNORM)
    Store(*reply.point, result);
  return reply.status;
}

}  // namespace

int acedGetPoint(const ads_point pt, const ACHAR* prompt, ads_point result) {
  return AskPoint(pt, prompt, InputRequest::Kind::kPoint, result);
}

int acedGetCorner(const ads_point pt, const ACHAR* prompt, ads_point result) {
  if (pt == nullptr) {
    zacad::TakeOptions();
    return RTERROR;
  }
  return AskPoint(pt, prompt, InputRequest::Kind::kCorner, result);
}

int acedGetDist(const ads_point pt, const ACHAR* prompt, ads_real* result) {
  std::u16string invalid =
      Message(pt == nullptr ? Msg::kNeedDistanceOrTwoPoints : Msg::kNeedDistanceOrSecondPoint);
  auto measure = [](const Point3& a, const Point3& b, const InputOptions& options) {
    return Distance(a, b, (options.flags & RSG_2D) != 0);
  };
  return AskMeasure(pt, prompt, InputRequest::Kind::kDistance, std::move(invalid), 1.0, measure,
                    result);
}

int acedGetAngle(const ads_point pt, const ACHAR* prompt, ads_real* result) {
  auto measure = [](const Point3& a, const Point3& b, const InputOptions&) {
    double angle = std::atan2(b[1] - a[1], b[0] - a[0]);
    return angle < 0 ? angle + 2 * std::numbers::pi : angle;
  };
  return AskMeasure(pt, prompt, InputRequest::Kind::kAngle, Message(Msg::kNeedAngleOrSecondPoint),
                    kDegree, measure, result);
}
