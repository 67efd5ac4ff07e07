// The entity classes, down the host's inheritance. Each reads its data from the drawing's tags
// when opened; entities of kinds without a class of their own open as AcDbEntity.
#pragma once

#include "dbmain.h"
#include "gept3dar.h"

class ACDB_PORT AcDbCurve : public AcDbEntity {
 public:
  ACRX_DECLARE_MEMBERS(AcDbCurve);
  ~AcDbCurve() override;

 protected:
  AcDbCurve();
};

class ACDB_PORT AcDbLine : public AcDbCurve {
 public:
  ACRX_DECLARE_MEMBERS(AcDbLine);
  AcDbLine();
  ~AcDbLine() override;
  AcGePoint3d startPoint() const;
  AcGePoint3d endPoint() const;
};

class ACDB_PORT AcDbCircle : public AcDbCurve {
 public:
  ACRX_DECLARE_MEMBERS(AcDbCircle);
  AcDbCircle();
  ~AcDbCircle() override;
  AcGePoint3d center() const;
  double radius() const;
};

class ACDB_PORT AcDbArc : public AcDbCurve {
 public:
  ACRX_DECLARE_MEMBERS(AcDbArc);
  AcDbArc();
  ~AcDbArc() override;
  AcGePoint3d center() const;
  double radius() const;
  // Radians, as the host's API gives them (the file holds degrees).
  double startAngle() const;
  double endAngle() const;
};

// LWPOLYLINE.
class ACDB_PORT AcDbPolyline : public AcDbCurve {
 public:
  ACRX_DECLARE_MEMBERS(AcDbPolyline);
  AcDbPolyline();
  ~AcDbPolyline() override;
  unsigned int numVerts() const;
  bool isClosed() const;
};

// POLYLINE without the 3D, mesh and polyface flags.
class ACDB_PORT AcDb2dPolyline : public AcDbCurve {
 public:
  ACRX_DECLARE_MEMBERS(AcDb2dPolyline);
  AcDb2dPolyline();
  ~AcDb2dPolyline() override;
  bool isClosed() const;
};

// POLYLINE with flag 8.
class ACDB_PORT AcDb3dPolyline : public AcDbCurve {
 public:
  ACRX_DECLARE_MEMBERS(AcDb3dPolyline);
  AcDb3dPolyline();
  ~AcDb3dPolyline() override;
  bool isClosed() const;
};

// POLYLINE with flag 16 (not a curve).
class ACDB_PORT AcDbPolygonMesh : public AcDbEntity {
 public:
  ACRX_DECLARE_MEMBERS(AcDbPolygonMesh);
  AcDbPolygonMesh();
  ~AcDbPolygonMesh() override;
};

// POLYLINE with flag 64 (not a curve).
class ACDB_PORT AcDbPolyFaceMesh : public AcDbEntity {
 public:
  ACRX_DECLARE_MEMBERS(AcDbPolyFaceMesh);
  AcDbPolyFaceMesh();
  ~AcDbPolyFaceMesh() override;
};

class ACDB_PORT AcDbSpline : public AcDbCurve {
 public:
  ACRX_DECLARE_MEMBERS(AcDbSpline);
  AcDbSpline();
  ~AcDbSpline() override;
  int numControlPoints() const;
};

class ACDB_PORT AcDbText : public AcDbEntity {
 public:
  ACRX_DECLARE_MEMBERS(AcDbText);
  AcDbText();
  ~AcDbText() override;

  // A copy the caller frees with acutDelString (the host's 2007+ form returns ACHAR*).
  ACHAR* textString() const;
  // eNotOpenForWrite unless open for write; eInvalidInput for null.
  Acad::ErrorStatus setTextString(const ACHAR* text);
  AcGePoint3d position() const;
  AcGePoint3d alignmentPoint() const;
  double height() const;
  double widthFactor() const;
  double rotation() const;  // radians
  AcDb::TextHorzMode horizontalMode() const;
  AcDb::TextVertMode verticalMode() const;
};

class ACDB_PORT AcDbAttributeDefinition : public AcDbText {
 public:
  ACRX_DECLARE_MEMBERS(AcDbAttributeDefinition);
  AcDbAttributeDefinition();
  ~AcDbAttributeDefinition() override;
  ACHAR* tag() const;
  ACHAR* prompt() const;
};

class ACDB_PORT AcDbAttribute : public AcDbText {
 public:
  ACRX_DECLARE_MEMBERS(AcDbAttribute);
  AcDbAttribute();
  ~AcDbAttribute() override;
  ACHAR* tag() const;
};

class ACDB_PORT AcDbMText : public AcDbEntity {
 public:
  ACRX_DECLARE_MEMBERS(AcDbMText);
  AcDbMText();
  ~AcDbMText() override;

  // The whole contents with their format codes (the 3 chunks and the 1 joined); the caller
  // frees it with acutDelString.
  ACHAR* contents() const;
  // Stored as the host writes it: 250-character chunks in groups 3, the rest in group 1.
  // eNotOpenForWrite unless open for write; eInvalidInput for null.
  Acad::ErrorStatus setContents(const ACHAR* text);
  AcGePoint3d location() const;
  double textHeight() const;
  double width() const;
  double rotation() const;  // radians
  int attachment() const;   // 1 top left ... 9 bottom right
};

class ACDB_PORT AcDbHatch : public AcDbEntity {
 public:
  ACRX_DECLARE_MEMBERS(AcDbHatch);
  AcDbHatch();
  ~AcDbHatch() override;
  // Number of boundary loops (group 91).
  int numLoops() const;
};

class ACDB_PORT AcDbBlockReference : public AcDbEntity {
 public:
  ACRX_DECLARE_MEMBERS(AcDbBlockReference);
  AcDbBlockReference();
  ~AcDbBlockReference() override;
  AcGePoint3d position() const;
  // The referenced block's record, null when the block is missing.
  AcDbObjectId blockTableRecord() const;
  double rotation() const;  // radians
  AcGeVector3d scaleFactors() const;
};

class ACDB_PORT AcDbPoint : public AcDbEntity {
 public:
  ACRX_DECLARE_MEMBERS(AcDbPoint);
  AcDbPoint();
  ~AcDbPoint() override;
  AcGePoint3d position() const;
};

// VERTEX and SEQEND: parts of a POLYLINE or INSERT, opened through their own ids.
class ACDB_PORT AcDbVertex : public AcDbEntity {
 public:
  ACRX_DECLARE_MEMBERS(AcDbVertex);
  AcDbVertex();
  ~AcDbVertex() override;
};

class ACDB_PORT AcDbSequenceEnd : public AcDbEntity {
 public:
  ACRX_DECLARE_MEMBERS(AcDbSequenceEnd);
  AcDbSequenceEnd();
  ~AcDbSequenceEnd() override;
};
