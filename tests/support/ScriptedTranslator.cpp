// ScriptedTranslator.cpp - a translator whose outcome a test chooses.
#include "ScriptedTranslator.h"

#include "vorabsAttributePtr.h"

ScriptedTranslator::ScriptedTranslator(const vorabsContext& context, vorabsStatus outcome_)
    : vorabsTranslator(context), outcome(outcome_) {}

ScriptedTranslator::~ScriptedTranslator() {
  if (destroyed)
    *destroyed = true;
}

void ScriptedTranslator::attributes(vorabsAttributeSet& set) const {
  ++num_attribute_calls;
  mark_kind(set, vorabsCURVE);
  if (!own_name.is_null()) {
    vorabsNamevorabsAttributePtr name;
    set.check_out(vorabsNAME, name);
    *name = vorabsName(own_name, 0);
  }
  if (child)
    mark_kind(set, vorabsCHILDITEM);
}

void ScriptedTranslator::set_output(vorabsOutput* output) {
  if (log)
    log->push_back("set_output");
  vorabsTranslator::set_output(output);
}

void ScriptedTranslator::set_error(vorabsOutput* error) {
  if (log)
    log->push_back("set_error");
  vorabsTranslator::set_error(error);
}

vorabsTranslationStatus ScriptedTranslator::create_item(const vorabsAttributeSet& attributes,
                                                        const giXform3&, vorabsInterface&,
                                                        vorabsLibSink& sink) {
  ++num_creates;
  if (log)
    log->push_back("create_item");
  last_sink = &sink;
  completed = vorabsAttributeSet(utCopy, attributes);
  set_attributes(completed);
  return outcome;
}

std::string ScriptedTranslator::completed_name() const {
  vorabsNamevorabsAttributePtr name;
  return completed.get(vorabsNAME, name) ? name->string().c_str() : "<none>";
}
