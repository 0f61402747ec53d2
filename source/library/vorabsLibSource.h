// vorabsLibSource.h - the root of the reading side: walks source objects one by one.
#pragma once

#include "vorabs_export.h"

#include "vorabsAttributeSet.h"
#include "vorabsLibBase.h"
#include "vorabsTranslationStatus.h"

class vorabsInterface;
class vorabsLibSink;

class VORABS_API vorabsLibSource : public vorabsLibBase {
public:
  vorabsLibSource() = default;
  explicit vorabsLibSource(const utString& category_name) : vorabsLibBase(category_name) {}
  ~vorabsLibSource() override;

  // Steps to the next source object; 0 when none is left.
  virtual int operator++() = 0;
  virtual int num_objects() const = 0;
  // The attributes of the current object.
  virtual void attributes(vorabsAttributeSet& attributes) const = 0;
  // Translates the current object into the receiver and the sink.
  virtual vorabsTranslationStatus send_to(const vorabsAttributeSet& attributes,
                                          vorabsInterface& receiver, vorabsLibSink& sink) const = 0;

protected:
  // Kind tests for readers: nonzero when the set holds the kind's key.
  static int curve(const vorabsAttributeSet& set) { return set.member(vorabsCURVE); }
  static int face(const vorabsAttributeSet& set) { return set.member(vorabsFACE); }
  static int point(const vorabsAttributeSet& set) { return set.member(vorabsPOINT); }
  static int surface(const vorabsAttributeSet& set) { return set.member(vorabsSURFACE); }
  static int topology(const vorabsAttributeSet& set) { return set.member(vorabsTOPOLOGY); }
  static int triangle(const vorabsAttributeSet& set) { return set.member(vorabsTRIANGLEBLOCK); }
  static int workplane(const vorabsAttributeSet& set) { return set.member(vorabsWORKPLANE); }
};
