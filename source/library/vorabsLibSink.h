// vorabsLibSink.h - the base of every sink: receives finished entities, one call each.
//
// A sink either accepts an entity (a writer stores it, a host-side sink
// builds annotation from it) or refuses it. The defaults refuse every kind
// with one message on the error channel and vorabsSTATUS_FAILED, support
// nothing, and ask for length unit 2. The host owns the channels and the
// application information; the sink only points at them.
#pragma once

#include "vorabs_export.h"

#include "vorLengthUnit.h"
#include "vorabsAttributeSet.h"
#include "vorabsLibBase.h"
#include "vorabsTranslationStatus.h"

#include "ann/ann.h"
#include "co.h"

class vorabsAppInfo;
class vorabsOutput;
class velCurvePtr3;
class velSurfPtr;
class topTopologyPtr;
class giWorkplane3;
class giPoint3;
class giTriBlock;
class aqtIBody;
using aqtIBodycoPrf = coPrf<aqtIBody>;

class VORABS_API vorabsLibSink : public vorabsLibBase {
public:
  vorabsLibSink() = default;
  explicit vorabsLibSink(const utString& category_name) : vorabsLibBase(category_name) {}

  void set_output(vorabsOutput* output) override { output_ = output; }
  void set_error(vorabsOutput* error) override { error_ = error; }

  virtual vorabsTranslationStatus curve3(const velCurvePtr3& curve,
                                         const vorabsAttributeSet& attributes);
  virtual vorabsTranslationStatus surface(const velSurfPtr& surface,
                                          const vorabsAttributeSet& attributes);
  virtual vorabsTranslationStatus topology(const topTopologyPtr& topology,
                                           const vorabsAttributeSet& attributes);
  virtual vorabsTranslationStatus workplane3(const giWorkplane3& workplane,
                                             const vorabsAttributeSet& attributes);
  virtual vorabsTranslationStatus point3(const giPoint3& point,
                                         const vorabsAttributeSet& attributes);
  virtual vorabsTranslationStatus triblock(const giTriBlock& block,
                                           const vorabsAttributeSet& attributes);
  virtual vorabsTranslationStatus annotation(const annNamedItemPtr& item,
                                             const vorabsAttributeSet& attributes);
  virtual vorabsTranslationStatus body(const aqtIBodycoPrf& body,
                                       const vorabsAttributeSet& attributes);
  // The item made for the entity received last; invalid when none.
  virtual annNamedItemPtr current_annotation();
  // 1 when unit is the one this sink takes; otherwise unit becomes that one
  // and the answer is 0.
  virtual int valid_units(vorLengthUnit& unit) const;
  virtual int invalid() const;
  virtual void set_application_info(const vorabsAppInfo* info) { application_info_ = info; }
  // Nonzero when the sink can take an entity described by attributes.
  virtual int supported(const vorabsAttributeSet& attributes) const;
  ~vorabsLibSink() override;

  vorabsOutput* output() const { return output_; }
  vorabsOutput* error() const { return error_; }
  const vorabsAppInfo* application_info() const { return application_info_; }

protected:
  // The default refusal: one message naming the kind (and the entity when it
  // has a name) on the error channel, and vorabsSTATUS_FAILED.
  vorabsTranslationStatus refuse(const char* named_format, const char* anonymous_format,
                                 const vorabsAttributeSet& attributes) const;

private:
  vorabsOutput* output_ = nullptr;
  vorabsOutput* error_ = nullptr;
  const vorabsAppInfo* application_info_ = nullptr;
};
