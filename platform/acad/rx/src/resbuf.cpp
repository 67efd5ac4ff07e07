// Result buffer lists. Buffers, strings and binary data come from malloc, as applications that
// fill a buffer from acutNewRb allocate its string the C way and acutRelRb must free it; released
// ones are kept for reuse (resbufmemory.h).
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "acutads.h"
#include "acutmem.h"
#include "resbufmemory.h"
#include "resvaluekind.h"

namespace {

using zacad::ResValueKind;

ACHAR* copyString(const ACHAR* text) {
  return zacad::NewString(text == nullptr ? u"" : text);
}

// Reads one value of the buffer's kind from the argument list; false when memory ran out.
bool readValue(resbuf* rb, ResValueKind kind, va_list& args) {
  switch (kind) {
    case ResValueKind::kString:
      rb->resval.rstring = copyString(va_arg(args, const ACHAR*));
      return rb->resval.rstring != nullptr;
    case ResValueKind::kReal:
      rb->resval.rreal = va_arg(args, double);
      return true;
    case ResValueKind::kPoint: {
      const ads_real* point = va_arg(args, const ads_real*);
      for (int i = 0; i < 3; ++i)
        rb->resval.rpoint[i] = point == nullptr ? 0.0 : point[i];
      return true;
    }
    // Shorts and longs arrive promoted to int (a Windows long is an int here).
    case ResValueKind::kShort:
      rb->resval.rint = static_cast<short>(va_arg(args, int));
      return true;
    case ResValueKind::kLong:
      rb->resval.rlong = static_cast<int32_t>(va_arg(args, int));
      return true;
    case ResValueKind::kInt64:
      rb->resval.mnInt64 = va_arg(args, int64_t);
      return true;
    case ResValueKind::kName: {
      const int64_t* name = va_arg(args, const int64_t*);
      rb->resval.rlname[0] = name == nullptr ? 0 : name[0];
      rb->resval.rlname[1] = name == nullptr ? 0 : name[1];
      return true;
    }
    case ResValueKind::kBinary: {
      const ads_binary* binary = va_arg(args, const ads_binary*);
      const short length = binary == nullptr || binary->clen < 0 ? 0 : binary->clen;
      rb->resval.rbinary.clen = length;
      rb->resval.rbinary.buf = static_cast<char*>(std::malloc(length > 0 ? length : 1));
      if (rb->resval.rbinary.buf == nullptr)
        return false;
      if (length > 0)
        std::memcpy(rb->resval.rbinary.buf, binary->buf, length);
      return true;
    }
    case ResValueKind::kNone:
    case ResValueKind::kUnknown:
      return true;
  }
  return true;
}

}  // namespace

resbuf* acutNewRb(int v) {
  if (zacad::resValueKind(v) == ResValueKind::kUnknown)
    return nullptr;
  return zacad::NewBuffer(v);
}

int acutRelRb(resbuf* rb) {
  zacad::ReleaseList(rb);
  return RTNORM;
}

resbuf* acutBuildList(int rtype, ...) {
  va_list args;
  va_start(args, rtype);
  resbuf* head = nullptr;
  resbuf** tail = &head;
  for (int code = rtype; code != 0 && code != RTNONE; code = va_arg(args, int)) {
    // Group 0 arrives as RTDXF0, since a literal 0 ends the list.
    const int restype = code == RTDXF0 ? 0 : code;
    const ResValueKind kind = zacad::resValueKind(code);
    resbuf* rb = kind == ResValueKind::kUnknown ? nullptr : zacad::NewBuffer(restype);
    if (rb == nullptr || !readValue(rb, kind, args)) {
      acutRelRb(rb);
      acutRelRb(head);
      head = nullptr;
      break;
    }
    *tail = rb;
    tail = &rb->rbnext;
  }
  va_end(args);
  return head;
}

int acutNewString(const ACHAR* input, ACHAR*& output) {
  output = input == nullptr ? nullptr : copyString(input);
  return output == nullptr ? RTERROR : RTNORM;
}

void acutDelString(ACHAR*& string) {
  zacad::ReleaseString(string);
  string = nullptr;
}
