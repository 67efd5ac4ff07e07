#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <map>
#include <numbers>
#include <sstream>

#include "palette.h"
#include "reports.h"

namespace zinspect {

namespace {

constexpr double kWidth = 1000;  // pixels across the drawing
constexpr double kMargin = 20;
constexpr double kLegendWidth = 330;
constexpr double kLegendRow = 22;
std::string Xml(std::string_view s) {
  std::string out;
  for (char c : s) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string Num(double v) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.2f", v);
  return buffer;
}

struct Box {
  double minX = std::numeric_limits<double>::max();
  double minY = std::numeric_limits<double>::max();
  double maxX = std::numeric_limits<double>::lowest();
  double maxY = std::numeric_limits<double>::lowest();
  void add(double x, double y) {
    minX = std::min(minX, x);
    minY = std::min(minY, y);
    maxX = std::max(maxX, x);
    maxY = std::max(maxY, y);
  }
  bool empty() const { return minX > maxX; }
};

// Text width is not known without the font: a usual ratio of width to height is enough to
// frame the picture.
double TextWidth(double height, const std::string& text) {
  return 0.6 * height * static_cast<double>(text.size());
}

Box Extents(const Drawing& drawing) {
  Box box;
  for (const Entity& e : drawing.entities) {
    const Shape& s = e.shape;
    if (e.erased)
      continue;
    for (const Point& p : s.points) {
      if (s.kind == Shape::Kind::Circle || s.kind == Shape::Kind::Arc) {
        box.add(p.x - s.radius, p.y - s.radius);
        box.add(p.x + s.radius, p.y + s.radius);
      } else if (s.kind == Shape::Kind::Text) {
        box.add(p.x, p.y);
        box.add(p.x + TextWidth(s.height, e.text), p.y + s.height);
      } else {
        box.add(p.x, p.y);
      }
    }
    for (const Label& label : e.attributes) {
      box.add(label.at.x, label.at.y);
      box.add(label.at.x + TextWidth(label.height, label.text), label.at.y + label.height);
    }
  }
  return box;
}

class Canvas {
 public:
  Canvas(const Box& box) : box_(box) {
    const double w = std::max(box.maxX - box.minX, 1e-9);
    const double h = std::max(box.maxY - box.minY, 1e-9);
    scale_ = kWidth / std::max(w, h * 0.75);
  }
  double x(double v) const { return (v - box_.minX) * scale_ + kMargin; }
  double y(double v) const { return (box_.maxY - v) * scale_ + kMargin; }
  double length(double v) const { return v * scale_; }
  double width() const { return length(box_.maxX - box_.minX) + 2 * kMargin; }
  double height() const { return length(box_.maxY - box_.minY) + 2 * kMargin; }

 private:
  Box box_;
  double scale_ = 1;
};

void Write(std::ostringstream& out, const Canvas& c, const Point& at, double height,
           double rotation, const std::string& text, std::string_view colour) {
  const double x = c.x(at.x);
  const double y = c.y(at.y);
  out << "<text x=\"" << Num(x) << "\" y=\"" << Num(y) << "\" font-size=\""
      << Num(c.length(height) * 1.35) << "\" fill=\"" << colour << '"';
  if (rotation != 0)
    out << " transform=\"rotate(" << Num(-rotation * 180 / std::numbers::pi) << ' ' << Num(x) << ' '
        << Num(y) << ")\"";
  out << '>' << Xml(text) << "</text>\n";
}

void Draw(std::ostringstream& out, const Canvas& c, const Entity& e, std::string_view colour) {
  const Shape& s = e.shape;
  const std::string stroke = "stroke=\"" + std::string(colour) + "\"";
  switch (s.kind) {
    case Shape::Kind::Line:
      out << "<line x1=\"" << Num(c.x(s.points[0].x)) << "\" y1=\"" << Num(c.y(s.points[0].y))
          << "\" x2=\"" << Num(c.x(s.points[1].x)) << "\" y2=\"" << Num(c.y(s.points[1].y)) << "\" "
          << stroke << "/>\n";
      break;
    case Shape::Kind::Polyline: {
      out << '<' << (s.closed ? "polygon" : "polyline") << " points=\"";
      for (const Point& p : s.points)
        out << Num(c.x(p.x)) << ',' << Num(c.y(p.y)) << ' ';
      out << "\" fill=\"none\" " << stroke << "/>\n";
      break;
    }
    case Shape::Kind::Circle:
      out << "<circle cx=\"" << Num(c.x(s.points[0].x)) << "\" cy=\"" << Num(c.y(s.points[0].y))
          << "\" r=\"" << Num(c.length(s.radius)) << "\" fill=\"none\" " << stroke << "/>\n";
      break;
    case Shape::Kind::Arc: {
      const Point& o = s.points[0];
      double sweep = std::fmod(s.endAngle - s.startAngle, 2 * std::numbers::pi);
      if (sweep <= 0)
        sweep += 2 * std::numbers::pi;
      const double r = c.length(s.radius);
      // Counter-clockwise in the drawing is counter-clockwise on screen too once y points
      // down: SVG's sweep flag 0.
      out << "<path d=\"M " << Num(c.x(o.x + s.radius * std::cos(s.startAngle))) << ' '
          << Num(c.y(o.y + s.radius * std::sin(s.startAngle))) << " A " << Num(r) << ' ' << Num(r)
          << " 0 " << (sweep > std::numbers::pi ? 1 : 0) << " 0 "
          << Num(c.x(o.x + s.radius * std::cos(s.endAngle))) << ' '
          << Num(c.y(o.y + s.radius * std::sin(s.endAngle))) << "\" fill=\"none\" " << stroke
          << "/>\n";
      break;
    }
    case Shape::Kind::Text:
      // Only the first line of a multiline text: enough to tell which text it is.
      Write(out, c, s.points[0], s.height, s.rotation, e.text.substr(0, e.text.find('\n')), colour);
      break;
    case Shape::Kind::Frame: {
      // A block reference: its box, dashed, and the values of its attributes.
      const Point& low = s.points[0];
      const Point& high = s.points[1];
      out << "<rect x=\"" << Num(c.x(low.x)) << "\" y=\"" << Num(c.y(high.y)) << "\" width=\""
          << Num(c.length(high.x - low.x)) << "\" height=\"" << Num(c.length(high.y - low.y))
          << "\" fill=\"none\" stroke-dasharray=\"6 4\" " << stroke << "/>\n";
      for (const Label& label : e.attributes)
        Write(out, c, label.at, label.height, 0, label.text, colour);
      break;
    }
    case Shape::Kind::None:
      break;
  }
}

struct LegendRow {
  std::string colour;
  std::string label;
};

}  // namespace

std::string SvgPicture(const Drawing& drawing, const TemplateView& view) {
  std::map<const Entity*, std::string> colourOf;
  std::vector<LegendRow> legend;
  for (const Section& s : view.sections) {
    const std::string colour(SectionColour(s.id));
    for (const TaggedEntity& t : s.members)
      colourOf[t.entity] = colour;
    if (!s.members.empty())
      legend.push_back(
          {colour, std::string(s.title) + " (" + std::to_string(s.members.size()) + ")"});
  }
  size_t next = 0;
  for (const FooterPart& p : view.footerParts) {
    const std::string colour(PartColour(next++));
    for (const auto* list : {&p.members, &p.masters}) {
      for (const TaggedEntity& t : *list)
        colourOf[t.entity] = colour;
    }
    legend.push_back({colour, PartLabel(p.number) + " (" +
                                  std::to_string(p.members.size() + p.masters.size()) + ")"});
  }
  legend.push_back({std::string(kOutsideColour), std::string(kOutsideLabel)});

  Box box = Extents(drawing);
  if (box.empty())
    box.add(0, 0);
  const Canvas canvas(box);
  const double legendX = canvas.width() + kMargin;
  const double width = legendX + kLegendWidth;
  const double height =
      std::max(canvas.height(), 2 * kMargin + kLegendRow * static_cast<double>(legend.size() + 1));

  std::ostringstream out;
  out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << Num(width) << "\" height=\""
      << Num(height) << "\" viewBox=\"0 0 " << Num(width) << ' ' << Num(height)
      << "\" shape-rendering=\"crispEdges\">\n"
      << "<title>" << Xml(drawing.file) << "</title>\n"
      << "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n"
      << "<g id=\"drawing\" stroke-width=\"2\" font-family=\"sans-serif\">\n";
  for (const Entity& e : drawing.entities) {
    if (e.erased)
      continue;
    const auto found = colourOf.find(&e);
    Draw(out, canvas, e,
         found == colourOf.end() ? kOutsideColour : std::string_view(found->second));
  }
  out << "</g>\n<g id=\"legend\" transform=\"translate(" << Num(legendX) << ' ' << Num(kMargin)
      << ")\" font-family=\"sans-serif\" font-size=\"14\">\n"
      << "<text x=\"0\" y=\"14\" fill=\"#000000\">" << Xml(kLegendTitle) << "</text>\n";
  for (size_t i = 0; i < legend.size(); ++i) {
    const double y = kLegendRow * static_cast<double>(i + 1);
    out << "<rect x=\"0\" y=\"" << Num(y + 4) << "\" width=\"14\" height=\"14\" fill=\""
        << legend[i].colour << "\"/><text x=\"22\" y=\"" << Num(y + 16) << "\" fill=\"#000000\">"
        << Xml(legend[i].label) << "</text>\n";
  }
  out << "</g>\n</svg>\n";
  return out.str();
}

}  // namespace zinspect
