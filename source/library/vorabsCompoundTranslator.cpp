// vorabsCompoundTranslator.cpp - the translator of an entity made of other entities.
#include "vorabsCompoundTranslator.h"

#include "vorabsAttributePtr.h"
#include "vorabsInterface.h"
#include "vorabsLibSink.h"
#include "vorabsNameMangler.h"
#include "vorabsObjectType.h"
#include "vorabsPrecursor.h"

#include "sto.h"
#include "vorResource.h"
#include "vorabsOutput.h"

#include <memory>

namespace {

// Codes 8 to 12 are the transforms that do not preserve shape.
bool preserves_shape(const giXform3& transform) {
  return transform.code() < giXFORM_AXIAL_SCALE || transform.code() > giXFORM_SINGULAR_PROJECTIVE;
}

int explode_groups() {
  return vor_resource_table_inquire().value(vorOptExplodeGroups);
}

void mark(vorabsAttributeSet& set, const vorabsAttributeKey& key) {
  vorabsVoidvorabsAttributePtr marker;
  set.check_out(key, marker);
}

} // namespace

vorabsCompoundTranslator::vorabsCompoundTranslator(const vorabsContext& context,
                                                   const giXform3& own_transform)
    : vorabsTranslator(context), own_transform_(own_transform) {}

vorabsCompoundTranslator::~vorabsCompoundTranslator() = default;

void vorabsCompoundTranslator::attributes(vorabsAttributeSet& set) const {
  if (!explode_groups())
    mark(set, vorabsANNOTATION);
  mark(set, vorabsPARENTITEM);
  mark(set, vorabsSTRUCTURE);
  vorabsObjectTypevorabsAttributePtr type;
  set.check_out(vorabsOBJECTTYPE, type);
  *type = vorabsObjectType(compound_object_type());
}

int vorabsCompoundTranslator::non_spts_supported() const {
  return 1;
}

int vorabsCompoundTranslator::num_translators() const {
  return translators_.total_num_translators() + 1;
}

vorabsTranslator* vorabsCompoundTranslator::current_translator() {
  if (current_index_ < 1 || current_index_ > translators_.num_top_level_translators())
    return this;
  vorabsTranslatorcoPrf child = translators_.read(current_index_ - 1);
  return child.invalid() ? this : child->current_translator();
}

void vorabsCompoundTranslator::set_output(vorabsOutput* output) {
  vorabsTranslator::set_output(output);
  for (int i = 0; i < translators_.num_top_level_translators(); ++i) {
    vorabsTranslatorcoPrf child = translators_.read(i);
    if (!child.invalid())
      child->set_output(output);
  }
}

void vorabsCompoundTranslator::set_error(vorabsOutput* error) {
  vorabsTranslator::set_error(error);
  for (int i = 0; i < translators_.num_top_level_translators(); ++i) {
    vorabsTranslatorcoPrf child = translators_.read(i);
    if (!child.invalid())
      child->set_error(error);
  }
}

void vorabsCompoundTranslator::add_translator(const vorabsTranslatorcoPrf& translator) {
  // An empty child could not be reached by the receiver, and a compound
  // holding itself would be processed from its own loop without end.
  if (translator.invalid() || translator.get() == this)
    return;
  if (error())
    translator->set_error(error());
  if (output())
    translator->set_output(output());
  translators_.add_translator(translator);
}

void vorabsCompoundTranslator::add_named_item(const annNamedItemPtr&) {}

void vorabsCompoundTranslator::handle_conversion_transform(const giXform3& own,
                                                           const giXform3& incoming,
                                                           giXform3& result) const {
  result = own;
  result.premultiply(incoming);
}

utString vorabsCompoundTranslator::spt_name(const utString& name) const {
  const stoClass* type = compound_object_type();
  utString result(type ? type->name() : "");
  result += " ";
  result += name;
  result += " transform";
  return result;
}

void vorabsCompoundTranslator::add_inherited_attributes(vorabsAttributeSet&) const {}

vorabsTranslationStatus vorabsCompoundTranslator::create_item(const vorabsAttributeSet& attributes,
                                                              const giXform3& transform,
                                                              vorabsInterface& receiver,
                                                              vorabsLibSink& sink) {
  vorabsAttributeSet compound(utCopy, attributes);
  set_attributes(compound);
  const utString type = type_name();
  vorabsNamevorabsAttributePtr name_value;
  const utString name = compound.get(vorabsNAME, name_value) && !name_value.invalid()
                            ? name_value->string()
                            : utString("_");
  const char* type_text = type.c_str();
  const char* name_text = name.c_str();

  // Messages go nowhere rather than through a channel that was never set.
  vorabsOutput* const out = output();
  vorabsOutput* const err = error();

  const int count = translators_.num_top_level_translators();
  if (count == 0) {
    if (out)
      out->tprintf("vorabs", "Ignoring empty %s %s.\n", type_text, name_text);
    return vorabsSTATUS_IGNORED;
  }

  const bool shape_preserving = preserves_shape(own_transform_) && preserves_shape(transform);
  if (!shape_preserving && !non_spts_supported()) {
    if (err)
      err->tprintf("vorabs", "Error : Non shape preserving transforms of %s %s not supported.\n",
                   type_text, name_text);
    return vorabsSTATUS_FAILED;
  }

  const bool explode = explode_groups() != 0;
  const bool converting = receiver.converting_annotation() != 0;
  vorabsAttributeSet probe;
  mark(probe, vorabsANNOTATION);
  vorabsObjectTypevorabsAttributePtr probe_type;
  probe.check_out(vorabsOBJECTTYPE, probe_type);
  *probe_type = vorabsObjectType(compound_object_type());
  vorabsPrecursorvorabsAttributePtr precursor;
  probe.check_out(vorabsPRECURSOR, precursor);
  const bool supported = sink.supported(probe) != 0;

  // A compound that does not preserve shape is still built as one object
  // when the sink can hold it; only its placement goes into the children.
  const bool flatten = !shape_preserving || explode || converting || !supported;
  const bool build = !explode && !converting && supported;

  annNamedItemPtr item;
  if (build)
    item = make_compound_object(name);

  giXform3 conversion;
  std::unique_ptr<vorabsNameMangler> mangler;
  if (!flatten) {
    handle_spt_transform(own_transform_, spt_name(name));
  } else {
    handle_conversion_transform(own_transform_, transform, conversion);
    mangler.reset(create_name_mangler(utPTR_RELEASE_DELETE));
  }

  int failed = 0, ignored = 0, outside = 0, zero_area = 0;
  bool aborted = false;
  current_index_ = 1;
  while (current_index_ <= count) {
    vorabsTranslatorcoPrf child = translators_.read(current_index_ - 1);
    giXform3 previous;
    if (flatten)
      child->set_transform(conversion, previous);

    vorabsAttributeSet child_attributes(utCopy, attributes);
    if (build)
      mark(child_attributes, vorabsCHILDITEM);
    if (converting)
      mark(child_attributes, vorabsCONVERTINGANNOTATION);
    add_inherited_attributes(child_attributes);

    const vorabsTranslationStatus status = receiver.send_sub_object(child_attributes);
    switch (status.status()) {
    case vorabsSTATUS_OK:
      if (build) {
        annNamedItemPtr made = child->last_annotation_item();
        if (made.invalid())
          break;
        annGeometryItemannPtr geometry = annGeometryItemannPtr::cast(made);
        if (!geometry.invalid())
          add_geometry(geometry);
        else
          add_named_item(made);
      }
      break;
    case vorabsSTATUS_FAILED:
      ++failed;
      break;
    case vorabsSTATUS_IGNORED:
      ++ignored;
      break;
    case vorabsSTATUS_ABORTED:
      aborted = true;
      break;
    case vorabsSTATUS_OUTSIDE_EXTENT:
      ++outside;
      break;
    case vorabsSTATUS_ZERO_AREA:
      ++zero_area;
      break;
    default: // complete without an item, unknown or invalid: counted as translated
      break;
    }

    if (flatten) {
      giXform3 conversion_back;
      child->set_transform(previous, conversion_back);
    }
    if (aborted)
      break;
    ++current_index_;
  }

  mangler.reset();
  current_index_ = 0;

  if (aborted) {
    item_was_rejected();
    return vorabsSTATUS_ABORTED;
  }
  if (ignored == count) {
    if (build)
      item_was_rejected();
    if (out)
      out->tprintf("vorabs", "All geometry in %s %s was ignored.\n", type_text, name_text);
    return vorabsSTATUS_IGNORED;
  }
  if (failed == count) {
    if (build)
      item_was_rejected();
    if (err)
      err->tprintf("vorabs", "Error : Failed to translate any geometry from %s %s.\n", type_text,
                   name_text);
    return vorabsSTATUS_FAILED;
  }
  if (outside == count) {
    if (build)
      item_was_rejected();
    if (err)
      err->tprintf("vorabs", "Error : All geometry in %s %s is outside the maximum extent.\n",
                   type_text, name_text);
    // A compound that is itself a child of a compound being built is
    // counted by its parent.
    return compound.member(vorabsCHILDITEM) ? vorabsSTATUS_OUTSIDE_EXTENT : vorabsSTATUS_FAILED;
  }
  if (zero_area == count) {
    if (build)
      item_was_rejected();
    if (err)
      err->tprintf("vorabs",
                   "Error : All geometry in %s %s has been ignored because it has zero area.\n",
                   type_text, name_text);
    return vorabsSTATUS_IGNORED;
  }

  if (err) {
    if (failed > 0)
      err->tprintf("vorabs",
                   "Error : %d of the %d geometry items in %s %s could not be translated.\n",
                   failed, count, type_text, name_text);
    if (ignored > 0)
      err->tprintf("vorabs", "Warning : %d of the %d geometry items in %s %s were ignored.\n",
                   ignored, count, type_text, name_text);
    if (outside > 0)
      err->tprintf("vorabs",
                   "Error : %d of the %d geometry items in %s %s were rejected because they are "
                   "outside the maximum extent.\n",
                   outside, count, type_text, name_text);
    if (zero_area > 0)
      err->tprintf("vorabs",
                   "Error : %d of the %d geometry items in %s %s were ignored because they have "
                   "zero area.\n",
                   zero_area, count, type_text, name_text);
  }
  if (failed + ignored + outside + zero_area == count) {
    if (build)
      item_was_rejected();
    if (out)
      out->tprintf("vorabs", "All geometry in %s %s was ignored or could not be translated.\n",
                   type_text, name_text);
    return vorabsSTATUS_IGNORED;
  }

  receiver.prepare_for_new_geometry();
  if (converting || !supported)
    return vorabsSTATUS_COMPLETE_NO_ITEM;
  if (explode)
    return vorabsSTATUS_IGNORED;
  if (item.invalid()) {
    item_was_rejected();
    if (out)
      out->tprintf("vorabs", "Error : Unable to perform a valid translation for %s %s.\n",
                   type_text, name_text);
    return vorabsSTATUS_FAILED;
  }
  return sink.annotation(item, compound);
}
