// dxfTranslators.h - the translators of DXF entities, one per entity read.
//
// Leaf translators derive from the framework's curve, point and triangle
// block translators; an INSERT is a group placed by its insertion
// transform whose child is the translator of the block definition; a block
// definition is a group of the translators of its entities, shared by all
// inserts that place it with the same inherited look, so that the memo
// translates it once per distinct transform. A paper-space layout is a
// drawing with its paper size, a VIEWPORT a view under its transform. Each
// translator refers to its entity record inside the shared dxfTables,
// which it keeps alive.
#pragma once

#include "dxfAttributes.h"

#include "vorabsCurveTranslator.h"
#include "vorabsDrawingTranslator.h"
#include "vorabsGroupTranslator.h"
#include "vorabsOutput.h"
#include "vorabsPointTranslator.h"
#include "vorabsTriblockTranslator.h"
#include "vorabsViewTranslator.h"

#include <memory>

using dxfTablesPtr = std::shared_ptr<const dxfTables>;

// What every leaf carries: its tables, its record and its resolved look.
template <class Base> class dxfLeafTranslator : public Base {
public:
  dxfLeafTranslator(const vorabsContext& context, dxfTablesPtr tables, const dxfEntity& entity,
                    const dxfLook& look)
      : Base(context), tables_(std::move(tables)), entity_(&entity), look_(look) {}
  void attributes(vorabsAttributeSet& set) const override {
    Base::attributes(set);
    tables_->add_attributes(*entity_, look_, set);
  }

protected:
  // Writes "Error : <TYPE> <name> has failed: <why>.\n" and fails.
  vorabsTranslationStatus refuse(const std::string& why) const {
    if (this->error())
      this->error()->tprintf("vorabs_dxf", "Error : Entity %s has failed: %s.\n",
                             dxfTables::entity_name(*entity_).c_str(), why.c_str());
    return vorabsSTATUS_FAILED;
  }

  dxfTablesPtr tables_;
  const dxfEntity* entity_;
  dxfLook look_;
};

// LINE, ARC, CIRCLE, ELLIPSE, LWPOLYLINE, 2D and 3D POLYLINE, SPLINE.
class dxfCurveEntityTranslator final : public dxfLeafTranslator<vorabsCurveTranslator> {
public:
  using dxfLeafTranslator::dxfLeafTranslator;
  ~dxfCurveEntityTranslator() override;

protected:
  vorabsTranslationStatus create_curve(velCurvePtr3& curve) override;
};

// POINT.
class dxfPointEntityTranslator final : public dxfLeafTranslator<vorabsPointTranslator> {
public:
  using dxfLeafTranslator::dxfLeafTranslator;
  ~dxfPointEntityTranslator() override;

protected:
  vorabsTranslationStatus create_point(giPoint3& point) override;
};

// 3DFACE, SOLID, polyface and polygon-mesh POLYLINE.
class dxfMeshEntityTranslator final : public dxfLeafTranslator<vorabsTriblockTranslator> {
public:
  using dxfLeafTranslator::dxfLeafTranslator;
  ~dxfMeshEntityTranslator() override;

protected:
  vorabsTranslationStatus create_triblock(giTriBlock& block) override;
};

// An INSERT, one cell of an insert array, or a block definition: a group
// under a placement, named for what it stands for. An insert carries its
// own look; a block definition none.
class dxfGroupEntityTranslator final : public vorabsGroupTranslator {
public:
  dxfGroupEntityTranslator(const vorabsContext& context, dxfTablesPtr tables, const utString& name,
                           const giXform3& placement, const dxfEntity* entity, const dxfLook& look);
  ~dxfGroupEntityTranslator() override;
  void attributes(vorabsAttributeSet& set) const override;

protected:
  vorabsNameMangler* create_name_mangler(utPtrRelease release) const override;

private:
  dxfTablesPtr tables_;
  utString name_;
  const dxfEntity* entity_;
  dxfLook look_;
};

// A paper-space layout.
class dxfLayoutTranslator final : public vorabsDrawingTranslator {
public:
  dxfLayoutTranslator(const vorabsContext& context, const utString& name);
  ~dxfLayoutTranslator() override;
  void attributes(vorabsAttributeSet& set) const override;

protected:
  vorabsNameMangler* create_name_mangler(utPtrRelease release) const override;

private:
  utString name_;
};

// A VIEWPORT of a layout, showing model space.
class dxfViewportTranslator final : public vorabsViewTranslator {
public:
  dxfViewportTranslator(const vorabsContext& context, dxfTablesPtr tables,
                        const dxfEntity& viewport, const dxfLook& look);
  ~dxfViewportTranslator() override;
  void attributes(vorabsAttributeSet& set) const override;
  // The placement of model space on the sheet.
  static giXform3 placement(const dxfEntity& viewport);
  static giBox3 sheet_box(const dxfEntity& viewport);

protected:
  vorabsNameMangler* create_name_mangler(utPtrRelease release) const override;

private:
  dxfTablesPtr tables_;
  const dxfEntity* entity_;
  dxfLook look_;
};
