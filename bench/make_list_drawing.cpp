// Writes a large R2000 ASCII drawing laid out like a rebar list: rows of cells framed by lines,
// a text in each cell and a multiline text note per row, as a drafter draws a list.
// Usage: make_list_drawing ENTITIES OUT.dxf
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

FILE* out = nullptr;
unsigned long long nextHandle = 0x100;

void tag(int code, const std::string& value) {
  std::fprintf(out, "%3d\n%s\n", code, value.c_str());
}
void tag(int code, double value) {
  std::fprintf(out, "%3d\n%.6f\n", code, value);
}
std::string hex(unsigned long long h) {
  char buffer[20];
  std::snprintf(buffer, sizeof buffer, "%llX", h);
  return buffer;
}
void entityHead(const char* type, const char* subclass, const char* layer) {
  tag(0, type);
  tag(5, hex(nextHandle++));
  tag(330, "1F");
  tag(100, "AcDbEntity");
  tag(8, layer);
  tag(100, subclass);
}

void line(double x0, double y0, double x1, double y1) {
  entityHead("LINE", "AcDbLine", "LIST_FRAME");
  tag(10, x0), tag(20, y0), tag(30, 0.0);
  tag(11, x1), tag(21, y1), tag(31, 0.0);
}

void text(double x, double y, const std::string& value) {
  entityHead("TEXT", "AcDbText", "LIST_TEXT");
  tag(10, x), tag(20, y), tag(30, 0.0);
  tag(40, 2.5);
  tag(1, value);
  tag(100, "AcDbText");
}

void mtext(double x, double y, const std::string& value) {
  entityHead("MTEXT", "AcDbMText", "LIST_TEXT");
  tag(10, x), tag(20, y), tag(30, 0.0);
  tag(40, 2.5);
  tag(41, 80.0);
  tag(71, "     1");
  tag(1, value);
}

void table(const char* name, const char* handle, int count) {
  tag(0, "TABLE"), tag(2, name), tag(5, handle), tag(330, "0");
  tag(100, "AcDbSymbolTable"), tag(70, "     " + std::to_string(count));
}

void layer(const char* name, const char* handle) {
  tag(0, "LAYER"), tag(5, handle), tag(330, "2"), tag(100, "AcDbSymbolTableRecord");
  tag(100, "AcDbLayerTableRecord"), tag(2, name), tag(70, "     0"), tag(62, "     7");
  tag(6, "Continuous");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: make_list_drawing ENTITIES OUT.dxf\n", stderr);
    return 2;
  }
  const long entities = std::atol(argv[1]);
  out = std::fopen(argv[2], "wb");
  if (out == nullptr || entities <= 0) {
    std::fputs("make_list_drawing: cannot write the drawing\n", stderr);
    return 1;
  }
  // Each row: 6 cells = 7 vertical lines + 1 horizontal line, 6 texts, 1 note.
  constexpr int kPerRow = 7 + 1 + 6 + 1;
  const long rows = (entities + kPerRow - 1) / kPerRow;
  nextHandle = 0x100;
  const std::string seed = hex(0x100 + static_cast<unsigned long long>(rows) * kPerRow);

  tag(0, "SECTION"), tag(2, "HEADER");
  tag(9, "$ACADVER"), tag(1, "AC1015");
  tag(9, "$DWGCODEPAGE"), tag(3, "ANSI_1252");
  tag(9, "$HANDSEED"), tag(5, seed);
  tag(0, "ENDSEC");
  tag(0, "SECTION"), tag(2, "TABLES");
  table("LAYER", "2", 3);
  layer("0", "10");
  layer("LIST_FRAME", "11");
  layer("LIST_TEXT", "12");
  tag(0, "ENDTAB");
  table("APPID", "9", 1);
  tag(0, "APPID"), tag(5, "13"), tag(330, "9"), tag(100, "AcDbSymbolTableRecord");
  tag(100, "AcDbRegAppTableRecord"), tag(2, "ACAD"), tag(70, "     0");
  tag(0, "ENDTAB");
  table("BLOCK_RECORD", "1", 2);
  tag(0, "BLOCK_RECORD"), tag(5, "1F"), tag(330, "1"), tag(100, "AcDbSymbolTableRecord");
  tag(100, "AcDbBlockTableRecord"), tag(2, "*Model_Space");
  tag(0, "BLOCK_RECORD"), tag(5, "1B"), tag(330, "1"), tag(100, "AcDbSymbolTableRecord");
  tag(100, "AcDbBlockTableRecord"), tag(2, "*Paper_Space");
  tag(0, "ENDTAB");
  tag(0, "ENDSEC");
  tag(0, "SECTION"), tag(2, "BLOCKS");
  struct Block {
    const char *name, *handle, *owner, *end;
  };
  static const Block kBlocks[] = {{"*Model_Space", "20", "1F", "21"},
                                  {"*Paper_Space", "1C", "1B", "1D"}};
  for (const Block& b : kBlocks) {
    tag(0, "BLOCK"), tag(5, b.handle), tag(330, b.owner), tag(100, "AcDbEntity"), tag(8, "0");
    tag(100, "AcDbBlockBegin"), tag(2, b.name), tag(70, "     0");
    tag(10, 0.0), tag(20, 0.0), tag(30, 0.0), tag(3, b.name), tag(1, "");
    tag(0, "ENDBLK"), tag(5, b.end), tag(330, b.owner), tag(100, "AcDbEntity"), tag(8, "0");
    tag(100, "AcDbBlockEnd");
  }
  tag(0, "ENDSEC");
  tag(0, "SECTION"), tag(2, "ENTITIES");
  static const char* kHeads[] = {"POS", "DIA", "NB", "LONG", "FORME", "POIDS"};
  for (long r = 0; r < rows; ++r) {
    const double y = -8.0 * static_cast<double>(r);
    for (int c = 0; c <= 6; ++c)
      line(30.0 * c, y, 30.0 * c, y - 8);
    line(0, y - 8, 180, y - 8);
    for (int c = 0; c < 6; ++c)
      text(30.0 * c + 2, y - 6, std::string(kHeads[c]) + " " + std::to_string(r));
    mtext(182, y, "Row " + std::to_string(r) + "\\PBars of the list, shaped as drawn");
  }
  tag(0, "ENDSEC");
  tag(0, "SECTION"), tag(2, "OBJECTS");
  tag(0, "DICTIONARY"), tag(5, "C"), tag(330, "0"), tag(100, "AcDbDictionary"), tag(281, "     1");
  tag(0, "ENDSEC");
  tag(0, "EOF");
  if (std::fclose(out) != 0) {
    std::fputs("make_list_drawing: cannot write the drawing\n", stderr);
    return 1;
  }
  return 0;
}
