// kapPropertyPtrArray.cpp - the user properties of one entity, in the order added.
#include "kapPropertyPtrArray.h"

#include <algorithm>

kapPropertyPtrArray::~kapPropertyPtrArray() = default;

kapPropertycoPrfIterator kapPropertyPtrArray::iterator() const {
  return kapPropertycoPrfIterator(std::make_shared<const std::vector<kapPropertycoPrf>>(
      properties_.begin(), properties_.end()));
}

kapPropertycoPrfIterator kapPropertyPtrArray::sorted(Comparison comparison) const {
  auto list =
      std::make_shared<std::vector<kapPropertycoPrf>>(properties_.begin(), properties_.end());
  std::stable_sort(list->begin(), list->end(), comparison);
  return kapPropertycoPrfIterator(std::move(list));
}

bool kapPropertyPtrArray::by_title(const kapPropertycoPrf& a, const kapPropertycoPrf& b) {
  // Empty entries have no title: they sort as the empty text.
  utString ta = a.invalid() ? utString("") : a->title();
  utString tb = b.invalid() ? utString("") : b->title();
  return ta.case_compare(tb) < 0;
}

void kapPropertyPtrArray::clear() {
  for (kapPropertycoPrf& property : properties_)
    property.reset();
}

annPropertiesAssignmentannPtr kapPropertyPtrArray::create_item(const annNamedItemPtr& item) const {
  utString base_name = item.name() + "_properties";
  annPropertyannPtrcoSet made(4, 50);
  for (size_t i = 0; i < properties_.size(); ++i) {
    if (properties_[i].invalid())
      continue;
    utString name = item.name() + "_property";
    name << static_cast<unsigned long>(i);
    made.add(properties_[i]->create_item(name));
  }
  if (made.empty())
    return annPropertiesAssignmentannPtr();
  return annPropertiesAssignment::make_annPropertiesAssignment(context_.document(), item, made,
                                                               base_name);
}
