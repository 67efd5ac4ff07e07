#include "pagerequests.h"

#include "acdbads.h"
#include "dbapserv.h"
#include "dbmain.h"
#include "json.h"
#include "src/entitylisting.h"
#include "webserver.h"
#include "zacad/commandcontext.h"
#include "zwin32/utf.h"

namespace zanthost::web {

std::string ListingMessage(std::string_view handle) {
  std::u16string text;
  AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
  const std::u16string hex = zwin32::FromUtf8(handle);
  const bool isHex = !hex.empty() && hex.size() <= 16 &&
                     hex.find_first_not_of(u"0123456789abcdefABCDEF") == std::u16string::npos;
  AcDbObjectId id;
  ads_name name;
  if (db != nullptr && isHex &&
      db->getAcDbObjectId(id, false, AcDbHandle(hex.c_str())) == Acad::eOk &&
      acdbGetAdsName(name, id) == Acad::eOk) {
    text = EntityListing(name);
  }
  std::string out = "{\"type\":\"listing\",\"handle\":";
  AppendJsonString(out, handle);
  out += ",\"text\":";
  AppendJsonString(out, zwin32::ToUtf8(text));
  return out + "}";
}

std::optional<zacad::InputLine> SaveLine(WebServer& server, unsigned session) {
  if (!zacad::InCommandContext())
    return zacad::InputLine{zacad::InputLine::Kind::kLine, u"_.QSAVE"};
  // A notice beside the command line's output, which keeps the prompt the host waits at.
  server.sendTo(session, R"({"type":"notice","text":"Save: finish or cancel the command first."})");
  return std::nullopt;
}

}  // namespace zanthost::web
