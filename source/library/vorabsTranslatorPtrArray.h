// vorabsTranslatorPtrArray.h - the translators held by a compound or a reader, in order.
//
// Shares each translator through its handle. The total is the sum of
// num_translators() of every translator at the moment it was added, so a
// compound must receive its own children before it is added to its parent.
// clear() releases the translators but keeps both counts.
#pragma once

#include "vorabs_export.h"

#include "vorabsTranslator.h"

#include "co.h"

using vorabsTranslatorcoPrfcoVariableArr = coVariableArr<vorabsTranslatorcoPrf>;
using vorabsTranslatorPtrcoPageArr = coPageArr<vorabsTranslatorcoPrf>;
// Non-owning pointers, for telling which child an item came from.
using vorabsTranslatorcoPointerSet = coPtrSet<const vorabsTranslator>;

// Walks the handles in order. The first step moves onto the first handle;
// a step answers 0 once the last has been passed, and the cursor is then
// back in its initial state, so a further step starts again.
class VORABS_API vorabsTranslatorcoPrfcoVariableArrcoIterator {
public:
  explicit vorabsTranslatorcoPrfcoVariableArrcoIterator(
      const vorabsTranslatorcoPrfcoVariableArr& array)
      : array_(&array) {}
  int operator++();
  // The handle under the cursor; valid while the last step answered 1.
  const vorabsTranslatorcoPrf& current() const { return (*array_)[index_]; }
  // Handles not yet passed: 0 before the first step and after the last.
  size_t remaining() const { return remaining_; }
  int on_handle() const { return remaining_ != 0; }

private:
  const vorabsTranslatorcoPrfcoVariableArr* array_;
  size_t index_ = 0;
  size_t remaining_ = 0;
};

class VORABS_API vorabsTranslatorPtrArray {
public:
  vorabsTranslatorPtrArray() = default;
  vorabsTranslatorPtrArray(const vorabsTranslatorPtrArray&) = delete;
  vorabsTranslatorPtrArray& operator=(const vorabsTranslatorPtrArray&) = delete;
  ~vorabsTranslatorPtrArray();

  void add_translator(const vorabsTranslatorcoPrf& translator);
  // The same, taking over the caller's reference.
  void add_translator(vorabsTranslatorcoPrf&& translator);
  int num_top_level_translators() const { return static_cast<int>(translators_.size()); }
  int total_num_translators() const { return total_; }
  vorabsTranslatorcoPrf read(int position) const {
    return translators_[static_cast<size_t>(position)];
  }
  vorabsTranslatorcoPrfcoVariableArrcoIterator iterator() const {
    return vorabsTranslatorcoPrfcoVariableArrcoIterator(translators_);
  }
  void clear();

private:
  int total_ = 0;
  vorabsTranslatorcoPrfcoVariableArr translators_;
};
