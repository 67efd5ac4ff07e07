// Fuzz target for the DXF tag layer: any input either fails with zdxf::Error or loads, saves back
// byte for byte, and survives the edits the drawing database makes.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "zdxf/document.h"

namespace {

[[noreturn]] void broken(const char* promise) {
  // Reaching here is a bug the fuzzer should report, like a crash.
  __builtin_printf("zdxf promise broken: %s\n", promise);
  std::abort();
}

void exercise(const std::string& bytes) {
  zdxf::Document d = zdxf::Document::parse(bytes, "fuzz.dxf");
  if (d.bytes() != bytes)
    broken("unchanged drawing saves to the same bytes");

  zdxf::ObjectId target = zdxf::kNoObject;
  for (zdxf::ObjectId id : d.objects()) {
    for (const zdxf::Tag& t : d.tags(id)) {
      d.encode(d.decode(t.value));
      t.as_int();
      t.as_double();
    }
    d.owner(id);
    d.xdata_applications(id);
    d.children(id);
    std::string_view type = d.type(id);
    if (target == zdxf::kNoObject && d.handle(id) && type != "SECTION" && type != "EOF") {
      target = id;
    }
  }
  if (target == zdxf::kNoObject)
    return;

  std::vector<zdxf::Tag> data{d.make_string(1000, u"F\u00e9\nX^"), d.make_real(1040, 0.5),
                              d.make_int(1070, 7)};
  d.set_xdata(target, "ZANT_FUZZ", data);
  if (d.table("APPID")) {
    d.add_table_record("APPID", {{0, "APPID"}, d.make_string(2, u"ZANT_FUZZ"), d.make_int(70, 0)});
  }
  zdxf::Document again = zdxf::Document::parse(d.bytes(), "fuzz-out.dxf");
  auto back = again.xdata(target, "ZANT_FUZZ");
  if (!back || back->size() != 3 || again.decode((*back)[0].value) != u"F\u00e9\nX^" ||
      (*back)[1].as_double() != 0.5 || (*back)[2].as_int() != 7) {
    broken("edited xdata reads back");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    exercise(std::string(reinterpret_cast<const char*>(data), size));
  } catch (const zdxf::Error&) {
    // Bad input is expected to fail this way.
  }
  return 0;
}
