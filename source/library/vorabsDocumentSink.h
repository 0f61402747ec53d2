// vorabsDocumentSink.h - a host's sink into an annotation document: every entity a reader sends
// becomes an item of the document.
//
// Curves, surfaces, faces and solids, workplanes, points and triangle
// blocks are made into geometry items of their kind; bodies into the face
// or solid item of their faces; annotation items (texts, fill areas,
// groups, drawings, views, dimensions ...), which the translators build in
// the document themselves, are taken as they come. Every geometry item is
// dressed in its entity's attributes (level, styles, visibility, display
// name). The document is the host's and must outlive the sink; its items
// belong to it, the sink keeps a handle to the item it made last.
//
// With vorabsHostReceiver, it is what a host needs to read a file into a
// document: hand the receiver's new-geometry hook to
// prepare_for_new_geometry, so that the items after a compound's children
// stand alone.
#pragma once

#include "vorabs_export.h"

#include "vorabsLibSink.h"

#include "ann/ann.h"

#include <vector>

class VORABS_API vorabsDocumentSink final : public vorabsLibSink {
public:
  explicit vorabsDocumentSink(annDocument& document) : document_(document) {}
  ~vorabsDocumentSink() override;

  const char* library_name() const override { return "vorabs_document"; }
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
  // The text of a curve or surface kind, one copy for all the items of that
  // kind: a drawing has many thousands of lines.
  const utString& kind_text(const char* kind);

  annDocument& document_;
  annNamedItemPtr current_;
  std::vector<utString> kinds_;
};
