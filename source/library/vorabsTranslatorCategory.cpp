// vorabsTranslatorCategory.cpp - the kind of translator family an endpoint belongs to.
#include "vorabsTranslatorCategory.h"

namespace {
struct CategoryGroup {
  const char* name;
  int group_order;
};
const CategoryGroup category_groups[] = {
    {"APPLICATION", 1}, {"KERNEL", 1},   {"NEUTRAL", 1},
    {"TRIANGLE", 1},    {"FOOTWEAR", 2}, {"DENTAL", 2},
};
} // namespace

vorabsTranslatorCategory::vorabsTranslatorCategory(const utString& name) : name_(name) {
  for (const CategoryGroup& group : category_groups)
    if (name_ == utString(group.name)) {
      group_order_ = group.group_order;
      break;
    }
}

vorabsTranslatorCategory::~vorabsTranslatorCategory() = default;
