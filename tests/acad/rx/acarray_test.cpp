// AcArray keeps its elements constructed exactly while they are in use: checked with an element
// type that counts itself, and with the growth cases where the appended value lives in the array.
#include <gtest/gtest.h>

#include <string>

#include "acarray.h"
#include "dbidar.h"

namespace {

struct Counted {
  static inline int alive = 0;
  std::string text;
  Counted() : text("new") { ++alive; }
  explicit Counted(std::string t) : text(std::move(t)) { ++alive; }
  Counted(const Counted& o) : text(o.text) { ++alive; }
  Counted(Counted&& o) noexcept : text(std::move(o.text)) { ++alive; }
  Counted& operator=(const Counted&) = default;
  Counted& operator=(Counted&&) noexcept = default;
  ~Counted() { --alive; }
  bool operator==(const Counted& o) const { return text == o.text; }
};

TEST(AcArray, ElementsLiveExactlyWhileInUse) {
  {
    AcArray<Counted> a(0, 2);
    for (int i = 0; i < 9; ++i)
      a.append(Counted("e" + std::to_string(i)));
    EXPECT_EQ(Counted::alive, 9);
    EXPECT_GE(a.physicalLength(), 9);
    // The last element appended again while the array is full: it must survive the growth.
    while (a.length() < a.physicalLength())
      a.append(Counted("fill"));
    a.append(a[0]);
    EXPECT_EQ(a.last().text, "e0");
    const int used = a.length();
    EXPECT_EQ(Counted::alive, used);

    a.removeAt(1);
    EXPECT_EQ(a[1].text, "e2");
    a.removeLast();
    EXPECT_EQ(Counted::alive, used - 2);
    a.insertAt(0, Counted("first"));
    EXPECT_EQ(a.first().text, "first");
    EXPECT_EQ(a[1].text, "e0");

    a.setLogicalLength(3);
    EXPECT_EQ(Counted::alive, 3);
    a.setLogicalLength(5);
    EXPECT_EQ(a[4].text, "new");
    EXPECT_EQ(Counted::alive, 5);
    a.setPhysicalLength(2);  // cuts the elements beyond it
    EXPECT_EQ(a.length(), 2);
    EXPECT_EQ(Counted::alive, 2);

    AcArray<Counted> copy(a);
    EXPECT_TRUE(copy == a);
    EXPECT_EQ(Counted::alive, 4);
    AcArray<Counted> moved(std::move(copy));
    EXPECT_EQ(moved.length(), 2);
    copy = moved;
    EXPECT_EQ(Counted::alive, 6);
    moved.removeAll();
    EXPECT_TRUE(moved.isEmpty());
    EXPECT_EQ(Counted::alive, 4);
  }
  EXPECT_EQ(Counted::alive, 0);
}

TEST(AcArray, ObjectIdArrayFindsAndRemoves) {
  AcDbObjectIdArray ids;
  EXPECT_EQ(ids.find(AcDbObjectId()), -1);
  ids.setLogicalLength(3);  // null ids
  EXPECT_TRUE(ids.contains(AcDbObjectId()));
  EXPECT_TRUE(ids.remove(AcDbObjectId()));
  EXPECT_EQ(ids.length(), 2);
}

}  // namespace
