// Result buffer lists built with acutBuildList, walked and released (the ASan build shows that
// acutRelRb leaves nothing behind).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "acutads.h"
#include "acutmem.h"

namespace {

std::vector<short> typesOf(const resbuf* rb) {
  std::vector<short> types;
  for (; rb != nullptr; rb = rb->rbnext)
    types.push_back(rb->restype);
  return types;
}

TEST(ResultBuffers, EveryValueFamily) {
  ads_point point = {1.5, -2.0, 3.25};
  ads_name name = {0x1122334455667788, 42};
  char bytes[] = {1, 0, 2};
  ads_binary binary = {3, bytes};
  resbuf* list = acutBuildList(
      RTDXF0, u"LINE", 8, u"Walls", 10, point, 40, 2.5, 62, 3, 90, 70000, 1001, u"APP", 1004,
      &binary, 1010, point, 1040, 0.125, 1070, -7, 1071, 123456, -4, u"<OR", 330, name, RTSTR,
      u"text", RTREAL, 9.0, RTSHORT, 12, RTLONG, -1, RT3DPOINT, point, RTENAME, name, RTLB, RTNIL,
      RTT, RTLE, -3, RTINT64, int64_t{1} << 40, 160, int64_t{-5}, RTNONE);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(typesOf(list), (std::vector<short>{
                               0,         8,       10,   40,    62,  90,    1001,   1004,    1010,
                               1040,      1070,    1071, -4,    330, RTSTR, RTREAL, RTSHORT, RTLONG,
                               RT3DPOINT, RTENAME, RTLB, RTNIL, RTT, RTLE,  -3,     RTINT64, 160}));
  std::vector<const resbuf*> at;
  for (const resbuf* rb = list; rb != nullptr; rb = rb->rbnext)
    at.push_back(rb);

  EXPECT_EQ(std::u16string(at[0]->resval.rstring), u"LINE");
  EXPECT_EQ(std::u16string(at[1]->resval.rstring), u"Walls");
  EXPECT_DOUBLE_EQ(at[2]->resval.rpoint[0], 1.5);
  EXPECT_DOUBLE_EQ(at[2]->resval.rpoint[2], 3.25);
  EXPECT_DOUBLE_EQ(at[3]->resval.rreal, 2.5);
  EXPECT_EQ(at[4]->resval.rint, 3);
  EXPECT_EQ(at[5]->resval.rlong, 70000);
  EXPECT_EQ(at[7]->resval.rbinary.clen, 3);
  EXPECT_NE(at[7]->resval.rbinary.buf, bytes);  // copied
  EXPECT_EQ(at[7]->resval.rbinary.buf[2], 2);
  EXPECT_DOUBLE_EQ(at[8]->resval.rpoint[1], -2.0);
  EXPECT_DOUBLE_EQ(at[9]->resval.rreal, 0.125);
  EXPECT_EQ(at[10]->resval.rint, -7);
  EXPECT_EQ(at[11]->resval.rlong, 123456);
  EXPECT_EQ(std::u16string(at[12]->resval.rstring), u"<OR");
  EXPECT_EQ(at[13]->resval.rlname[0], name[0]);
  EXPECT_EQ(at[13]->resval.rlname[1], 42);
  EXPECT_EQ(std::u16string(at[14]->resval.rstring), u"text");
  EXPECT_DOUBLE_EQ(at[15]->resval.rreal, 9.0);
  EXPECT_EQ(at[16]->resval.rint, 12);
  EXPECT_EQ(at[17]->resval.rlong, -1);
  EXPECT_DOUBLE_EQ(at[18]->resval.rpoint[2], 3.25);
  EXPECT_EQ(at[19]->resval.rlname[1], 42);
  EXPECT_EQ(at[25]->resval.mnInt64, int64_t{1} << 40);
  EXPECT_EQ(at[26]->resval.mnInt64, -5);
  EXPECT_EQ(acutRelRb(list), RTNORM);
}

TEST(ResultBuffers, ListEndsAtZeroOrRtnone) {
  // A literal 0 ends the list: group 0 must be written RTDXF0.
  resbuf* truncated = acutBuildList(RTSTR, u"a", 0, u"LINE", RTSTR, u"b", RTNONE);
  EXPECT_EQ(typesOf(truncated), (std::vector<short>{RTSTR}));
  acutRelRb(truncated);

  resbuf* empty = acutBuildList(RTNONE);
  EXPECT_EQ(empty, nullptr);
  EXPECT_EQ(acutRelRb(nullptr), RTNORM);
}

TEST(ResultBuffers, UnknownCodeGivesNoList) {
  EXPECT_EQ(acutBuildList(RTSTR, u"a", 4999, 1, RTNONE), nullptr);
  EXPECT_EQ(acutBuildList(RTRESBUF, nullptr, RTNONE), nullptr);
  EXPECT_EQ(acutNewRb(12345), nullptr);
}

TEST(ResultBuffers, NewBuffersOwnTheirStrings) {
  resbuf* head = acutNewRb(RTSTR);
  ASSERT_NE(head, nullptr);
  EXPECT_EQ(head->rbnext, nullptr);
  EXPECT_EQ(head->resval.rstring, nullptr);
  EXPECT_EQ(acutNewString(u"owned", head->resval.rstring), RTNORM);
  head->rbnext = acutNewRb(1004);
  head->rbnext->resval.rbinary.clen = 4;
  head->rbnext->resval.rbinary.buf = static_cast<char*>(std::malloc(4));
  head->rbnext->rbnext = acutNewRb(RTLB);
  EXPECT_EQ(typesOf(head), (std::vector<short>{RTSTR, 1004, RTLB}));
  EXPECT_EQ(acutRelRb(head), RTNORM);

  ACHAR* copy = nullptr;
  EXPECT_EQ(acutNewString(nullptr, copy), RTERROR);
  EXPECT_EQ(copy, nullptr);
  EXPECT_EQ(acutNewString(u"x", copy), RTNORM);
  acutDelString(copy);
  EXPECT_EQ(copy, nullptr);
  EXPECT_EQ(sizeof(resbuf), 40u);
}

// Released buffers and strings are used again: what an application allocated itself and handed
// to acutRelRb, of any size, is never given out as room it does not have (the ASan build checks
// the bytes), and reused buffers come back zeroed.
TEST(ResultBuffers, ReleasedMemoryIsReusedOnlyWithinItsRoom) {
  const std::u16string longest(31, u'k');
  for (int round = 0; round < 600; ++round) {
    resbuf* own = static_cast<resbuf*>(std::calloc(1, sizeof(resbuf)));
    own->restype = 1000;
    own->resval.rstring = static_cast<ACHAR*>(std::malloc(2 * sizeof(ACHAR)));
    own->resval.rstring[0] = u'a';
    own->resval.rstring[1] = 0;
    own->rbnext = acutBuildList(1001, u"APP", 1000, longest.c_str(), 0);
    ASSERT_NE(own->rbnext, nullptr);
    EXPECT_EQ(acutRelRb(own), RTNORM);
    resbuf* made = acutBuildList(1000, longest.c_str(), 1000, u"b", RTSHORT, 7, 0);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(std::u16string(made->resval.rstring), longest);
    EXPECT_EQ(std::u16string(made->rbnext->resval.rstring), u"b");
    EXPECT_EQ(made->rbnext->rbnext->resval.rint, 7);
    EXPECT_EQ(made->rbnext->rbnext->rbnext, nullptr);
    resbuf* fresh = acutNewRb(RTREAL);
    EXPECT_EQ(fresh->rbnext, nullptr);
    EXPECT_EQ(fresh->resval.rreal, 0.0);
    acutRelRb(fresh);
    acutRelRb(made);
  }
}

}  // namespace
