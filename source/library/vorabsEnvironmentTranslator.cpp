// vorabsEnvironmentTranslator.cpp - the translator of a rendering environment.
#include "vorabsEnvironmentTranslator.h"

vorabsEnvironmentTranslator::vorabsEnvironmentTranslator(const vorabsContext& context)
    : vorabsCompoundTranslator(context, giXform3(giXformIdentity)) {}

vorabsEnvironmentTranslator::~vorabsEnvironmentTranslator() = default;

void vorabsEnvironmentTranslator::attributes(vorabsAttributeSet& set) const {
  vorabsCompoundTranslator::attributes(set);
  set.remove(vorabsSTRUCTURE);
}

annNamedItemPtr vorabsEnvironmentTranslator::make_compound_object(const utString& name) {
  environment_ = annEnvironment::make_annEnvironment(context().document(), name);
  return environment_;
}

void vorabsEnvironmentTranslator::handle_spt_transform(const giXform3&, const utString&) {}

void vorabsEnvironmentTranslator::add_geometry(const annGeometryItemannPtr&) {}

void vorabsEnvironmentTranslator::add_named_item(const annNamedItemPtr& item) {
  if (environment_.invalid() || item.invalid())
    return;
  if (annLight* light = annLight::sto_dynamic_cast(item.pointer())) {
    annLightannPtr handle(item.name(), light);
    handle.set_name_space(item.name_space());
    environment_->add_light(handle);
  } else if (annBackground* background = annBackground::sto_dynamic_cast(item.pointer())) {
    annBackgroundannPtr handle(item.name(), background);
    handle.set_name_space(item.name_space());
    environment_->set_background(handle);
  }
}

utString vorabsEnvironmentTranslator::type_name() const {
  return utString("environment");
}

void vorabsEnvironmentTranslator::item_was_rejected() {}

const stoClass* vorabsEnvironmentTranslator::compound_object_type() const {
  return sto_class_annEnvironment();
}
