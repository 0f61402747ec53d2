// ut.h - the utilities library: strings, type identifiers, ownership markers.
//
// utString is an immutable-on-share, reference-counted 8-bit string. It has a
// null state (no storage at all) that is distinct from the empty text: some
// value classes use the difference (a name with no string falls back to its
// number). Copies share the storage; a writer copies it first when shared.
//
// utTypeID names a class and the id of its parent, so that ut_is_kind_of
// tests need no C++ RTTI across library boundaries. Ids are compared by
// address: each class owns exactly one static id.
#pragma once

#include "vorout_export.h"

#include <atomic>
#include <cstddef>
#include <cstdint>

// The suite's truth value as stored in attributes.
using utBool = int;

// Ownership markers passed as first arguments.
enum utCopyMarker { utCopy };                            // make a deep copy
enum utPtrExternMarker { utPtrExtern };                  // refer to an object owned by someone else
enum utPtrClaim { utPTR_NO_CLAIM = 0, utPTR_CLAIM = 1 }; // the callee takes an object over
// What the receiver of a returned pointer does with it; 3 = the caller deletes it.
enum utPtrRelease { utPTR_RELEASE_NONE = 0, utPTR_RELEASE_REF = 1, utPTR_RELEASE_DELETE = 3 };

class VOROUT_API utString {
public:
  utString() noexcept = default; // null: no storage
  utString(const char* text);    // null when text is null
  utString(const char* text, size_t length);
  // Copies only share: they are inline so that passing names around costs a
  // count, not a call.
  utString(const utString& other) noexcept : rep_(other.rep_) { retain(rep_); }
  utString(utString&& other) noexcept : rep_(other.rep_) { other.rep_ = nullptr; }
  ~utString() { release(rep_); }
  utString& operator=(const utString& other) noexcept {
    retain(other.rep_);
    release(rep_);
    rep_ = other.rep_;
    return *this;
  }
  utString& operator=(utString&& other) noexcept {
    if (this != &other) {
      release(rep_);
      rep_ = other.rep_;
      other.rep_ = nullptr;
    }
    return *this;
  }

  // A text that lives until the process ends and is shared without
  // counting: for the names a library defines once, at load (see ut_lit).
  static utString literal(const char* text);

  // Null: no storage. The empty text is not null.
  int is_null() const { return rep_ == nullptr; }
  // Never null: an empty text for a null string.
  const char* c_str() const { return rep_ ? rep_->chars : ""; }
  size_t length() const { return rep_ ? rep_->length : 0; }
  int empty() const { return length() == 0; }
  char operator[](size_t i) const { return c_str()[i]; }

  // Exact comparison of the characters; null equals the empty text.
  friend int operator==(const utString& a, const utString& b) {
    return a.rep_ == b.rep_ || a.equal_text(b);
  }
  friend int operator!=(const utString& a, const utString& b) { return !(a == b); }
  friend int operator<(const utString& a, const utString& b) { return a.compare(b) < 0; }
  int compare(const utString& other) const;
  // Case-insensitive (ASCII) ordering: below, at or above zero.
  int case_compare(const utString& other) const;
  // Byte offset of the first occurrence of what at or after start, or -1.
  long locate_substring(const utString& what, size_t start = 0) const;
  int contains(const utString& what) const { return locate_substring(what) >= 0; }
  utString substring(size_t start, size_t count) const;
  // Reads the whole text as a decimal integer (optional sign, surrounding
  // blanks allowed); nonzero and value set on success, value untouched on
  // failure.
  int parse(int& value) const;
  int parse(double& value) const;

  utString& operator+=(const utString& tail);
  utString& operator+=(const char* tail);
  utString& operator+=(char c);
  friend VOROUT_API utString operator+(const utString& a, const utString& b);
  friend VOROUT_API utString operator+(const utString& a, const char* b);
  friend VOROUT_API utString operator+(const char* a, const utString& b);

  // Appending numbers: integers in decimal, doubles in the shortest text that
  // reads back to the same value, with "." as separator whatever the locale.
  utString& operator<<(const utString& s) { return *this += s; }
  utString& operator<<(const char* s) { return *this += s; }
  utString& operator<<(char c) { return *this += c; }
  utString& operator<<(int value);
  utString& operator<<(long value);
  utString& operator<<(long long value);
  utString& operator<<(unsigned value);
  utString& operator<<(unsigned long value);
  utString& operator<<(unsigned long long value);
  utString& operator<<(double value);

private:
  struct Rep {
    std::atomic<int> refs;
    uint32_t length;
    uint32_t capacity;
    char chars[1];
  };
  static Rep* allocate(size_t capacity);
  static Rep* empty_rep();
  void assign(const char* text, size_t count);
  static utString joined(const char* a, size_t a_length, const char* b, size_t b_length);
  // A literal (ut_lit) lives as long as the process: its count is never
  // touched, so copying the global names of a library costs no atomic
  // operation.
  static constexpr int literal_refs = -1;
  static void retain(Rep* rep) noexcept {
    if (rep && rep->refs.load(std::memory_order_relaxed) != literal_refs)
      rep->refs.fetch_add(1, std::memory_order_relaxed);
  }
  static void release(Rep* rep) noexcept {
    if (rep && rep->refs.load(std::memory_order_relaxed) != literal_refs &&
        rep->refs.fetch_sub(1, std::memory_order_acq_rel) == 1)
      destroy(rep);
  }
  static void destroy(Rep* rep) noexcept;
  int equal_text(const utString& other) const;
  void append(const char* text, size_t length);

  Rep* rep_ = nullptr;
};

// A process-lifetime string for a library's global names (keys, ids):
// copies of it share its text without reference counting. Each call makes a
// new text that is never freed, so call it once per name, at load.
inline utString ut_lit(const char* text) {
  return utString::literal(text);
}

// A class's run-time identity: its name and the id of its parent class.
class VOROUT_API utTypeID {
public:
  explicit utTypeID(const char* name, const utTypeID* parent = nullptr)
      : name_(name), parent_(parent) {}
  utTypeID(const utTypeID&) = delete;
  utTypeID& operator=(const utTypeID&) = delete;

  const char* name() const { return name_; }
  const utTypeID* parent() const { return parent_; }
  // Nonzero when this id is other or derives from it.
  int is_kind_of(const utTypeID& other) const {
    for (const utTypeID* id = this; id; id = id->parent_)
      if (id == &other)
        return 1;
    return 0;
  }
  int operator==(const utTypeID& other) const { return this == &other; }
  int operator!=(const utTypeID& other) const { return this != &other; }

private:
  const char* name_;
  const utTypeID* parent_;
};
