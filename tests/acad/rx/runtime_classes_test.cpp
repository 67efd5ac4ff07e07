// Runtime classes declared with the SDK's boilerplate, as drawing entity classes declare
// themselves: identity, hierarchy, casts, pseudo-constructors, clones, protocol extensions.
#include <gtest/gtest.h>

#include <string>

#include "rxclass.h"
#include "rxdict.h"

namespace {

class TestShape : public AcRxObject {
 public:
  ACRX_DECLARE_MEMBERS(TestShape);
};

class TestCurve : public TestShape {
 public:
  ACRX_DECLARE_MEMBERS(TestCurve);
  int length = 0;
  Acad::ErrorStatus copyFrom(const AcRxObject* other) override {
    const TestCurve* curve = TestCurve::cast(other);
    if (curve == nullptr)
      return Acad::eNotThatKindOfClass;
    length = curve->length;
    return Acad::eOk;
  }
};

class TestLine : public TestCurve {
 public:
  ACRX_DECLARE_MEMBERS(TestLine);
};

class TestProtocol : public AcRxObject {
 public:
  ACRX_DECLARE_MEMBERS(TestProtocol);
  explicit TestProtocol(int tag = 0) : tag(tag) {}
  int tag;
};

}  // namespace

ACRX_NO_CONS_DEFINE_MEMBERS(TestShape, AcRxObject);
ACRX_CONS_DEFINE_MEMBERS(TestCurve, TestShape, 1);
ACRX_DXF_DEFINE_MEMBERS(TestLine, TestCurve, 27, 0, 0, TESTLINE, RxTests);
ACRX_NO_CONS_DEFINE_MEMBERS(TestProtocol, AcRxObject);

namespace {

class RuntimeClasses : public ::testing::Test {
 protected:
  // Children first: the hierarchy must still come out right.
  static void SetUpTestSuite() {
    TestLine::rxInit();
    TestCurve::rxInit();
    TestShape::rxInit();
    TestProtocol::rxInit();
    acrxBuildClassHierarchy();
  }
};

TEST_F(RuntimeClasses, HierarchyFromTheBoilerplate) {
  ASSERT_NE(TestLine::desc(), nullptr);
  EXPECT_EQ(std::u16string(TestLine::desc()->name()), u"TestLine");
  EXPECT_EQ(TestLine::desc()->myParent(), TestCurve::desc());
  EXPECT_EQ(TestCurve::desc()->myParent(), TestShape::desc());
  EXPECT_EQ(TestShape::desc()->myParent(), AcRxObject::desc());
  EXPECT_EQ(AcRxObject::desc()->myParent(), nullptr);
  EXPECT_EQ(acrxClassDictionary->at(u"TestCurve"), TestCurve::desc());

  EXPECT_TRUE(TestLine::desc()->isDerivedFrom(TestShape::desc()));
  EXPECT_TRUE(TestLine::desc()->isDerivedFrom(TestLine::desc()));
  EXPECT_FALSE(TestShape::desc()->isDerivedFrom(TestLine::desc()));
  EXPECT_FALSE(TestShape::desc()->isDerivedFrom(nullptr));

  EXPECT_EQ(std::u16string(TestLine::desc()->dxfName()), u"TESTLINE");
  EXPECT_EQ(std::u16string(TestLine::desc()->appName()), u"RxTests");
  EXPECT_EQ(std::u16string(TestCurve::desc()->dxfName()), u"");
  int dwg = 0, maintenance = -1;
  TestLine::desc()->getClassVersion(dwg, maintenance);
  EXPECT_EQ(dwg, 27);
  EXPECT_EQ(maintenance, 0);
  EXPECT_EQ(TestCurve::desc()->proxyFlags(), 1);
}

TEST_F(RuntimeClasses, IsKindOfAndCast) {
  TestLine line;
  TestCurve curve;
  const AcRxObject* asObject = &line;
  EXPECT_EQ(line.isA(), TestLine::desc());
  EXPECT_TRUE(line.isKindOf(TestCurve::desc()));
  EXPECT_TRUE(line.isKindOf(AcRxObject::desc()));
  EXPECT_FALSE(curve.isKindOf(TestLine::desc()));
  EXPECT_FALSE(line.isKindOf(TestProtocol::desc()));
  EXPECT_FALSE(line.isKindOf(nullptr));

  EXPECT_EQ(TestShape::cast(asObject), &line);
  EXPECT_EQ(TestLine::cast(&curve), nullptr);
  EXPECT_EQ(TestProtocol::cast(asObject), nullptr);
  EXPECT_EQ(TestLine::cast(nullptr), nullptr);
}

TEST_F(RuntimeClasses, CreateAndClone) {
  EXPECT_EQ(TestShape::desc()->create(), nullptr);  // no pseudo-constructor
  AcRxObject* made = TestLine::desc()->create();
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->isA(), TestLine::desc());
  delete made;

  TestCurve curve;
  curve.length = 12;
  AcRxObject* copy = curve.clone();
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->isA(), TestCurve::desc());
  EXPECT_EQ(TestCurve::cast(copy)->length, 12);
  EXPECT_FALSE(copy->isEqualTo(&curve));
  EXPECT_TRUE(curve.isEqualTo(&curve));
  EXPECT_EQ(curve.comparedTo(copy), AcRx::kNotOrderable);
  delete copy;

  // The root has no state to copy, so a class without copyFrom cannot be cloned.
  TestProtocol protocol;
  EXPECT_EQ(protocol.clone(), nullptr);
}

TEST_F(RuntimeClasses, ProtocolExtensionsAreInherited) {
  TestProtocol forCurves(1), forLines(2);
  EXPECT_EQ(TestCurve::desc()->addX(TestProtocol::desc(), &forCurves), nullptr);
  TestLine line;
  TestShape* shape = &line;
  EXPECT_EQ(shape->queryX(TestProtocol::desc()), &forCurves);  // from the parent class
  EXPECT_EQ(TestLine::desc()->getX(TestProtocol::desc()), nullptr);

  EXPECT_EQ(TestLine::desc()->addX(TestProtocol::desc(), &forLines), nullptr);
  EXPECT_EQ(line.x(TestProtocol::desc()), &forLines);  // nearest class wins
  EXPECT_EQ(TestLine::desc()->delX(TestProtocol::desc()), &forLines);
  EXPECT_EQ(TestCurve::desc()->delX(TestProtocol::desc()), &forCurves);
  EXPECT_EQ(line.queryX(TestProtocol::desc()), nullptr);
}

TEST_F(RuntimeClasses, DeletedClassUnlinksItsChildrenUntilRegisteredAgain) {
  AcRxClass* temporary = newAcRxClass(u"TestTemporary", u"TestShape");
  AcRxClass* child = newAcRxClass(u"TestTemporaryChild", u"TestTemporary");
  ASSERT_EQ(child->myParent(), temporary);
  EXPECT_EQ(newAcRxClass(u"TestTemporary", u"TestShape"), temporary);  // same name: same class

  deleteAcRxClass(temporary);
  EXPECT_FALSE(acrxClassDictionary->has(u"TestTemporary"));
  EXPECT_EQ(child->myParent(), nullptr);

  AcRxClass* again = newAcRxClass(u"TestTemporary", u"TestShape");
  EXPECT_EQ(child->myParent(), again);
  deleteAcRxClass(child);
  deleteAcRxClass(again);
  EXPECT_EQ(newAcRxClass(nullptr, u"AcRxObject"), nullptr);
}

}  // namespace
