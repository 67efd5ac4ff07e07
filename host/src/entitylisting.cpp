#include "entitylisting.h"

#include <cstdlib>

#include "acdbads.h"
#include "acutads.h"
#include "afxstr.h"
#include "dbmain.h"

namespace zanthost {
namespace {

// Extended data as the host's xdata listing shows it.
void ListXdata(const resbuf* rb, CString& out) {
  for (; rb != nullptr; rb = rb->rbnext) {
    switch (rb->restype) {
      case 1001:
        out.AppendFormat(u"\n* Registered Application Name: %s", rb->resval.rstring);
        break;
      case 1000:
        out.AppendFormat(u"\n* Code 1000, ASCII string: %s", rb->resval.rstring);
        break;
      case 1002:
        out.AppendFormat(u"\n* Code 1002, Starting or ending brace: %s", rb->resval.rstring);
        break;
      case 1003:
        out.AppendFormat(u"\n* Code 1003, Layer name: %s", rb->resval.rstring);
        break;
      case 1004:
        out.AppendFormat(u"\n* Code 1004, Binary data: %d bytes", rb->resval.rbinary.clen);
        break;
      case 1005:
        out.AppendFormat(u"\n* Code 1005, Database handle: %s", rb->resval.rstring);
        break;
      case 1040:
      case 1041:
      case 1042:
        out.AppendFormat(u"\n* Code %d, Real number: %.4f", rb->restype, rb->resval.rreal);
        break;
      case 1070:
        out.AppendFormat(u"\n* Code 1070, Integer: %d", rb->resval.rint);
        break;
      case 1071:
        out.AppendFormat(u"\n* Code 1071, Long integer: %d", rb->resval.rlong);
        break;
      default:
        out.AppendFormat(u"\n* Code %d, 3D point: (%.4f, %.4f, %.4f)", rb->restype,
                         rb->resval.rpoint[0], rb->resval.rpoint[1], rb->resval.rpoint[2]);
        break;
    }
  }
}

}  // namespace

std::u16string EntityListing(const ads_name name) {
  AcDbObjectId id;
  AcDbEntity* entity = nullptr;
  if (acdbGetObjectId(id, name) != Acad::eOk ||
      acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk) {
    return {};
  }
  resbuf* list = acdbEntGet(name);
  const std::u16string type =
      list != nullptr && list->rbnext != nullptr ? list->rbnext->resval.rstring : u"?";
  acutRelRb(list);
  ACHAR* layer = entity->layer();
  ACHAR handle[20];
  id.handle().getIntoAsciiBuffer(handle, 20);
  // The host lists handles in lower case.
  for (ACHAR* c = handle; *c != 0; ++c) {
    if (*c >= u'A' && *c <= u'F')
      *c = static_cast<ACHAR>(*c + 32);
  }
  CString out;
  out.Format(u"\n%18s    Layer: \"%s\"\n%26sHandle = %s", type.c_str(), layer, u"", handle);
  std::free(layer);
  resbuf* xdata = entity->xData();
  if (xdata == nullptr) {
    out.AppendFormat(u"\n%26sNo extended data.", u"");
  } else {
    ListXdata(xdata, out);
    acutRelRb(xdata);
  }
  entity->close();
  return std::u16string(static_cast<const ACHAR*>(out), out.GetLength());
}

}  // namespace zanthost
