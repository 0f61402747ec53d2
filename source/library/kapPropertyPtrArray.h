// kapPropertyPtrArray.h - the user properties of one entity, in the order added.
//
// Holds shared references to properties; an entry may be empty after
// clear(). Iterators share their own list of references, so they stay valid
// whatever happens to the array afterwards; the array is never reordered.
#pragma once

#include "vorabs_export.h"

#include "kapProperty.h"
#include "vorabsContext.h"

#include "ann/ann.h"
#include "co.h"

#include <memory>
#include <vector>

using kapPropertycoPrfcoVariableArr = coVariableArr<kapPropertycoPrf>;

// Walks a list of property references: the first operator++ moves onto the
// first entry; it answers 0 once no entry is left.
class VORABS_API kapPropertycoPrfIterator {
public:
  explicit kapPropertycoPrfIterator(std::shared_ptr<const std::vector<kapPropertycoPrf>> list)
      : list_(std::move(list)) {}
  int operator++() { return ++position_ < list_->size(); }
  const kapPropertycoPrf& current() const { return (*list_)[position_]; }
  size_t size() const { return list_->size(); }

private:
  std::shared_ptr<const std::vector<kapPropertycoPrf>> list_;
  size_t position_ = size_t(-1);
};

class VORABS_API kapPropertyPtrArray {
public:
  explicit kapPropertyPtrArray(const vorabsContext& context) : context_(context) {}
  kapPropertyPtrArray(const kapPropertyPtrArray&) = delete;
  kapPropertyPtrArray& operator=(const kapPropertyPtrArray&) = delete;
  ~kapPropertyPtrArray();

  void add_property(const kapPropertycoPrf& property) { properties_.append(property); }
  int num_properties() const { return static_cast<int>(properties_.size()); }
  // Entry i, 0 <= i < num_properties(); empty after clear().
  kapPropertycoPrf read(int i) const { return properties_[static_cast<size_t>(i)]; }
  kapPropertycoPrfIterator iterator() const;
  // Ordered by title, ignoring case; equal titles keep the array order.
  kapPropertycoPrfIterator sorted_by_title() const { return sorted(&by_title); }
  // Empties every entry; the count stays and later additions go after them.
  void clear();
  // The properties assignment of item: every non-empty entry's annotation
  // property, named after the item and the entry's position.
  annPropertiesAssignmentannPtr create_item(const annNamedItemPtr& item) const;

protected:
  using Comparison = bool (*)(const kapPropertycoPrf&, const kapPropertycoPrf&);
  kapPropertycoPrfIterator sorted(Comparison comparison) const;
  static bool by_title(const kapPropertycoPrf& a, const kapPropertycoPrf& b);

private:
  vorabsContext context_;
  kapPropertycoPrfcoVariableArr properties_;
};
