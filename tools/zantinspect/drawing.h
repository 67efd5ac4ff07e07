// What the inspector knows of a drawing: its model-space entities as plain values, read once,
// so that everything after the reading works without the database.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zinspect {

struct Point {
  double x = 0;
  double y = 0;
};

// Just enough geometry to draw the entity; texts keep their insertion point and height.
struct Shape {
  enum class Kind { None, Line, Polyline, Circle, Arc, Text, Frame };
  Kind kind = Kind::None;
  // line: start and end; polyline and spline: vertices (bulges left out); frame (a block
  // reference's box): lower left and upper right corners; others: the centre or the insertion
  // point
  std::vector<Point> points;
  bool closed = false;
  double radius = 0;
  double startAngle = 0;  // radians, counter-clockwise
  double endAngle = 0;
  double height = 0;    // texts
  double rotation = 0;  // texts, radians
};

// The groups of a template record after the application name, as they stand in the drawing.
struct RecordGroup {
  int code = 0;
  bool numeric = false;
  std::string text;  // string groups (and handles)
  double real = 0;   // reals and integers; a point's x
};

// A value that a block reference shows through one of its attributes.
struct Label {
  Point at;
  double height = 0;
  std::string text;
};

struct Entity {
  std::string handle;  // hex, as the drawing writes it
  std::uint64_t handleValue = 0;
  std::string kind;  // the DXF type: LINE, TEXT, MTEXT, INSERT, ...
  std::string layer;
  bool lockedLayer = false;
  bool erased = false;
  bool taggable = false;  // of a class that the capture commands give a record
  bool isText = false;    // a single-line or multiline text
  std::string text;       // a text's contents, MTEXT format codes removed
  // The record's groups when the entity carries data of the template's application.
  std::optional<std::vector<RecordGroup>> record;
  Shape shape;
  std::vector<Label> attributes;  // a block reference's attribute values
};

struct Drawing {
  std::string file;
  std::vector<Entity> entities;  // model space, drawing order
};

}  // namespace zinspect
