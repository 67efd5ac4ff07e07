// Applies the edits the drawing database makes (register applications, replace one application's
// xdata) to a drawing and saves it, so an independent reader can check the result.
// Usage: zdxf_sample_edit <in.dxf> <out.dxf>; prints the handle of the edited entity, or exits
// with 3 for a drawing without handles (nothing to attach xdata to).
#include <cstdio>
#include <iostream>

#include "zdxf/document.h"

namespace {

using zdxf::Document;
using zdxf::ObjectId;
using zdxf::Tag;

void register_app(Document& d, const char16_t* name) {
  for (ObjectId id : d.table_records("APPID")) {
    for (const Tag& t : d.tags(id)) {
      if (t.code == 2 && d.decode(t.trimmed()) == name)
        return;
    }
  }
  std::vector<Tag> rec{{0, "APPID"}};
  if (d.version() >= "AC1012") {
    rec.emplace_back(100, "AcDbSymbolTableRecord");
    rec.emplace_back(100, "AcDbRegAppTableRecord");
  }
  rec.push_back(d.make_string(2, name));
  rec.push_back(d.make_int(70, 0));
  d.add_table_record("APPID", rec);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: zdxf_sample_edit <in.dxf> <out.dxf>\n";
    return 2;
  }
  try {
    Document d = Document::open(argv[1]);
    ObjectId target = zdxf::kNoObject;
    for (ObjectId id : d.objects()) {
      std::string_view type = d.type(id);
      if (d.section(id) == "ENTITIES" && d.handle(id) && type != "SECTION" && type != "ENDSEC") {
        target = id;
        break;
      }
    }
    if (target == zdxf::kNoObject) {
      std::cerr << argv[1] << ": no entity with a handle\n";
      return 3;
    }
    register_app(d, u"ZANT_SAMPLE");
    register_app(d, u"ZANT_NEW_APP");
    d.set_xdata(target, "ZANT_SAMPLE",
                {d.make_string(1000, u"LIST_BODY \u00e9\u0416"), d.make_real(1040, 1.25),
                 d.make_int(1070, -7)});
    d.set_xdata(target, "ZANT_NEW_APP",
                {d.make_string(1002, u"{"), d.make_int(1071, 123456), d.make_real(1010, 1.5),
                 d.make_real(1020, 2.5), d.make_real(1030, 0), d.make_string(1002, u"}")});
    d.save(argv[2]);
    std::cout << zdxf::format_handle(*d.handle(target)) << "\n";
  } catch (const zdxf::Error& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
  return 0;
}
