// ScriptedTranslator.h - a translator whose outcome a test chooses and which records its use.
//
// create_item completes a copy of the incoming attributes with
// set_attributes, keeps it in completed, and answers outcome; it sends
// nothing to the sink. attributes() marks the entity a curve, names it when
// own_name is set and marks it a child item when child is set. Channel
// settings, create_item calls and destruction are written to log.
#pragma once

#include "vorabsTranslator.h"

#include <string>
#include <vector>

class ScriptedTranslator : public vorabsTranslator {
public:
  explicit ScriptedTranslator(const vorabsContext& context, vorabsStatus outcome = vorabsSTATUS_OK);
  ~ScriptedTranslator() override;

  void attributes(vorabsAttributeSet& set) const override;
  int num_translators() const override { return size; }
  void set_output(vorabsOutput* output) override;
  void set_error(vorabsOutput* error) override;

  // The completed set's vorabsNAME text, or "<none>".
  std::string completed_name() const;

  vorabsStatus outcome;
  int size = 1;      // what num_translators() answers
  utString own_name; // null: the entity has no name of its own
  int child = 0;     // nonzero: attributes() adds vorabsCHILDITEM
  std::vector<std::string>* log = nullptr;
  bool* destroyed = nullptr; // set when the translator is deleted
  int num_creates = 0;
  mutable int num_attribute_calls = 0;
  vorabsAttributeSet completed; // the set of the last create_item
  vorabsLibSink* last_sink = nullptr;

protected:
  vorabsTranslationStatus create_item(const vorabsAttributeSet& attributes,
                                      const giXform3& transform, vorabsInterface& receiver,
                                      vorabsLibSink& sink) override;
};
