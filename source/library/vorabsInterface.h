// vorabsInterface.h - the host's receiver of a translation.
//
// The host implements it: progress, sub-objects, grouping, conversion and
// cancellation. Compound translators reach their own children only through
// send_sub_object, so the host sees every sub-object. The receiver owns its
// attribute set; the two integers belong to the derived host.
#pragma once

#include "vorabs_export.h"

#include "vorabsAttributeSet.h"
#include "vorabsTranslationStatus.h"

class VORABS_API vorabsInterface {
public:
  explicit vorabsInterface(int value) : value_(value) {}
  vorabsInterface(const vorabsInterface&) = delete;
  vorabsInterface& operator=(const vorabsInterface&) = delete;

  // Advances the host's progress by count translators.
  virtual void increment_progress(int count) = 0;
  // Has the current sub-object translated with these attributes.
  virtual vorabsTranslationStatus send_sub_object(const vorabsAttributeSet& attributes) = 0;
  // Called by a compound after some of its items were translated.
  virtual void prepare_for_new_geometry() = 0;
  // Nonzero while annotation is converted into plain geometry.
  virtual int converting_annotation() const = 0;
  virtual int translation_cancelled() const = 0;
  virtual ~vorabsInterface();

  const vorabsAttributeSet& attributes() const { return attributes_; }

protected:
  // The derived host fills its own set (vorabsPROCESSVIEWS, for example).
  vorabsAttributeSet& own_attributes() { return attributes_; }
  int value() const { return value_; }
  int& second_value() { return second_value_; }

private:
  int value_;
  int second_value_ = 0;
  vorabsAttributeSet attributes_;
};
