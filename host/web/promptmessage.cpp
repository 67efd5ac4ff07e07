#include "promptmessage.h"

#include "dbhandle.h"
#include "json.h"
#include "zwin32/utf.h"

namespace zanthost::web {
namespace {

const char* KindName(zacad::InputRequest::Kind kind) {
  using Kind = zacad::InputRequest::Kind;
  switch (kind) {
    case Kind::kText:
      return "text";
    case Kind::kCommand:
      return "command";
    case Kind::kPoint:
      return "point";
    case Kind::kCorner:
      return "corner";
    case Kind::kDistance:
      return "distance";
    case Kind::kAngle:
      return "angle";
    case Kind::kSelection:
      return "selection";
    case Kind::kKeyword:
      return "keyword";
    case Kind::kNumber:
      return "number";
    case Kind::kDialog:
      return "dialog";
  }
  return "text";
}

}  // namespace

std::string PromptMessage(const zacad::InputRequest& request) {
  std::string message = "{\"type\":\"prompt\",\"kind\":\"";
  message += KindName(request.kind);
  message += '"';
  if (request.base) {
    message += ",\"base\":[";
    for (size_t i = 0; i < request.base->size(); ++i) {
      if (i > 0)
        message += ',';
      AppendJsonNumber(message, (*request.base)[i]);
    }
    message += ']';
  }
  message += ",\"keywords\":[";
  for (size_t i = 0; i < request.keywords.size(); ++i) {
    if (i > 0)
      message += ',';
    AppendJsonString(message, zwin32::ToUtf8(request.keywords[i]));
  }
  return message + "]}";
}

std::string SelectionMessage(const std::vector<uint64_t>& handles) {
  std::string message = "{\"type\":\"selection\",\"handles\":[";
  for (size_t i = 0; i < handles.size(); ++i) {
    if (i > 0)
      message += ',';
    ACHAR hex[20];
    AcDbHandle(handles[i]).getIntoAsciiBuffer(hex, 20);
    AppendJsonString(message, zwin32::ToUtf8(hex));
  }
  return message + "]}";
}

}  // namespace zanthost::web
