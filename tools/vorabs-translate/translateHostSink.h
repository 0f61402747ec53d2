// translateHostSink.h - the host's sink: every entity a reader sends becomes an item of the
// document.
//
// Curves, surfaces, faces and solids, workplanes, points and triangle
// blocks are made into geometry items of their kind; bodies into the face
// or solid item of their faces; annotation items (texts, fill areas,
// groups, drawings, views, dimensions ...), which the translators build in
// the document themselves, are taken as they come. Every geometry item is
// dressed in its entity's attributes (level, styles, visibility, display
// name). The document is the host's and must outlive the sink; its items
// belong to it, the sink keeps a handle to the item it made last.
#pragma once

#include "vorabsLibSink.h"

#include "ann/ann.h"

class translateHostSink final : public vorabsLibSink {
public:
  explicit translateHostSink(annDocument& document) : document_(document) {}
  ~translateHostSink() override;

  const char* library_name() const override { return "vorabs-translate"; }
  const char* option() const override { return "DOCUMENT"; }
  int database_number() const override { return 0; }
  void add_file_types(intcoSet&) const override {}
  void add_extensions(utStringcoSet&) const override {}
  const char* file_filter() const override { return "Annotation documents|*"; }
  const char* format_name() const override { return "annotation document"; }

  vorabsTranslationStatus curve3(const velCurvePtr3& curve,
                                 const vorabsAttributeSet& attributes) override;
  vorabsTranslationStatus surface(const velSurfPtr& surface,
                                  const vorabsAttributeSet& attributes) override;
  vorabsTranslationStatus topology(const topTopologyPtr& topology,
                                   const vorabsAttributeSet& attributes) override;
  vorabsTranslationStatus workplane3(const giWorkplane3& workplane,
                                     const vorabsAttributeSet& attributes) override;
  vorabsTranslationStatus point3(const giPoint3& point,
                                 const vorabsAttributeSet& attributes) override;
  vorabsTranslationStatus triblock(const giTriBlock& block,
                                   const vorabsAttributeSet& attributes) override;
  vorabsTranslationStatus body(const aqtIBodycoPrf& body,
                               const vorabsAttributeSet& attributes) override;
  vorabsTranslationStatus annotation(const annNamedItemPtr& item,
                                     const vorabsAttributeSet& attributes) override;
  annNamedItemPtr current_annotation() override { return current_; }

  // The document takes every compound kind and any unit.
  int supported(const vorabsAttributeSet& attributes) const override;
  int valid_units(vorLengthUnit& unit) const override;

  // The children of a compound are done: the next item stands alone.
  void prepare_for_new_geometry() { current_ = annNamedItemPtr(); }

private:
  // Dresses a made item and makes it the current one; fails when the
  // document could not make it.
  vorabsTranslationStatus take(const annGeometryItemannPtr& item,
                               const vorabsAttributeSet& attributes);
  // What a face or solid is made of ("3 faces") and the item for it.
  vorabsTranslationStatus faces(int count, const vorabsAttributeSet& attributes);
  utString name(const vorabsAttributeSet& attributes) const;

  annDocument& document_;
  annNamedItemPtr current_;
};
