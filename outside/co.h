// co.h - the container library: hashing, generic containers, shared references.
//
// One template per container kind; the suite's instance names
// (utStringcoSet, kapPropertycoPrfcoVariableArr, ...) are aliases declared
// where they are used. Containers own their elements by value; pointer sets
// own nothing. coPrf is a shared reference whose deleter is chosen when it is
// made: owning (delete with the last reference) or extern (never delete).
#pragma once

#include "ut.h"
#include "vorout_export.h"

#include <algorithm>
#include <cstddef>
#include <functional>
#include <iterator>
#include <list>
#include <memory>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

// --- hashing --------------------------------------------------------------
// A 32-bit hash of bytes; a string hashes its characters, so equal texts
// hash alike whatever their storage.
VOROUT_API unsigned int co_hash(const void* bytes, size_t count);
VOROUT_API unsigned int co_hash(const utString& text);
inline unsigned int co_hash(int value) {
  return co_hash(&value, sizeof value);
}
inline unsigned int co_hash(unsigned value) {
  return co_hash(&value, sizeof value);
}
template <class T> unsigned int co_hash_pointer(const T* p) {
  return co_hash(&p, sizeof p);
}

// Adapts co_hash (found by argument-dependent lookup) to the std containers.
template <class T> struct coHasher {
  size_t operator()(const T& value) const { return co_hash(value); }
};
template <class T> struct coHasher<T*> {
  size_t operator()(const T* p) const { return co_hash_pointer(p); }
};

// --- hash set --------------------------------------------------------------
// The two sizing ints of the suite's constructor are hints; the set grows.
template <class T, class Hash = coHasher<T>, class Equal = std::equal_to<T>> class coSet {
public:
  using iterator = typename std::unordered_set<T, Hash, Equal>::const_iterator;
  coSet() = default;
  coSet(int initial_size, int /*grow_percent*/) {
    items_.reserve(size_t(std::max(initial_size, 0)));
  }

  // Nonzero when the value was not yet present.
  int add(const T& value) { return items_.insert(value).second; }
  int remove(const T& value) { return items_.erase(value) != 0; }
  int member(const T& value) const { return items_.count(value) != 0; }
  const T* find(const T& value) const {
    auto it = items_.find(value);
    return it == items_.end() ? nullptr : &*it;
  }
  size_t size() const { return items_.size(); }
  int empty() const { return items_.empty(); }
  void clear() { items_.clear(); }
  iterator begin() const { return items_.begin(); }
  iterator end() const { return items_.end(); }

  // Set algebra: equality, subset tests, in-place union, intersection, difference.
  int operator==(const coSet& other) const { return items_ == other.items_; }
  int operator<=(const coSet& other) const {
    for (const T& value : items_)
      if (!other.member(value))
        return 0;
    return 1;
  }
  int operator>=(const coSet& other) const { return other <= *this; }
  coSet& operator+=(const coSet& other) {
    for (const T& value : other.items_)
      items_.insert(value);
    return *this;
  }
  coSet& operator*=(const coSet& other) {
    for (auto it = items_.begin(); it != items_.end();)
      it = other.member(*it) ? std::next(it) : items_.erase(it);
    return *this;
  }
  coSet& operator-=(const coSet& other) {
    for (const T& value : other.items_)
      items_.erase(value);
    return *this;
  }

private:
  std::unordered_set<T, Hash, Equal> items_;
};

// A hash set for a handful of values, such as a per-object memo that mostly
// holds one entry: the first value lives inline (no allocation), the rest in
// blocks of their own, so a stored value never moves while the set lives.
// Up to eight values are found by equality alone; hashes are worked out only
// once the set grows past that, where they start to pay. find_key looks a
// value up by anything that Equal compares with T and Hash hashes as T would
// be hashed, without building a T for it.
template <class T, class Hash = coHasher<T>, class Equal = std::equal_to<T>> class coFlatSet {
public:
  coFlatSet() = default;
  coFlatSet(int /*initial_size*/, int /*grow_percent*/) {}

  // Nonzero when the value was not yet present.
  int add(const T& value) {
    bool added = false;
    insert(value, added);
    return added;
  }
  // The stored value equal to value, stored now when there was none.
  const T* insert(const T& value, bool& added) {
    added = false;
    if (const T* stored = find(value))
      return stored;
    added = true;
    if (!first_)
      return &first_.emplace(value);
    rest_.push_back(std::make_unique<Slot>(Slot{0, value}));
    if (size() == linear_limit + 1)
      hash_all(); // from now on every slot carries its hash
    else if (hashed())
      rest_.back()->hash = Hash()(value);
    return &rest_.back()->value;
  }
  // The stored value equal to value, or null.
  const T* find(const T& value) const { return find_key(value); }
  template <class Key> const T* find_key(const Key& key) const {
    if (!first_)
      return nullptr;
    if (Equal()(*first_, key))
      return &*first_;
    size_t hash = hashed() ? Hash()(key) : 0;
    for (const auto& slot : rest_)
      if ((!hashed() || slot->hash == hash) && Equal()(slot->value, key))
        return &slot->value;
    return nullptr;
  }
  int member(const T& value) const { return find(value) != nullptr; }
  size_t size() const { return (first_ ? 1 : 0) + rest_.size(); }
  int empty() const { return !first_; }
  void clear() {
    first_.reset();
    rest_.clear();
  }

private:
  static constexpr size_t linear_limit = 8;
  struct Slot {
    size_t hash;
    T value;
  };
  bool hashed() const { return size() > linear_limit; }
  void hash_all() {
    for (auto& slot : rest_)
      slot->hash = Hash()(slot->value);
  }
  std::optional<T> first_; // built only when the first value comes
  std::vector<std::unique_ptr<Slot>> rest_;
};

// A set of pointers to objects owned elsewhere.
template <class T> using coPtrSet = coSet<T*>;

// --- keyed table -----------------------------------------------------------
template <class K, class V, class Hash = coHasher<K>, class Equal = std::equal_to<K>>
class coTable {
public:
  using map_type = std::unordered_map<K, V, Hash, Equal>;
  using iterator = typename map_type::iterator;
  using const_iterator = typename map_type::const_iterator;
  coTable() = default;
  coTable(int initial_size, int /*grow_percent*/) {
    items_.reserve(size_t(std::max(initial_size, 0)));
  }

  V* find(const K& key) {
    auto it = items_.find(key);
    return it == items_.end() ? nullptr : &it->second;
  }
  const V* find(const K& key) const {
    auto it = items_.find(key);
    return it == items_.end() ? nullptr : &it->second;
  }
  // The value under key, inserted default-constructed when absent.
  V& lookup(const K& key) { return items_[key]; }
  // Replaces any value under key; nonzero when the key was new.
  int insert(const K& key, V value) {
    auto result = items_.insert_or_assign(key, std::move(value));
    return result.second;
  }
  int remove(const K& key) { return items_.erase(key) != 0; }
  int member(const K& key) const { return items_.count(key) != 0; }
  size_t size() const { return items_.size(); }
  void clear() { items_.clear(); }
  iterator begin() { return items_.begin(); }
  iterator end() { return items_.end(); }
  const_iterator begin() const { return items_.begin(); }
  const_iterator end() const { return items_.end(); }

private:
  map_type items_;
};

// --- arrays ------------------------------------------------------------------
// A growable array in insertion order.
template <class T> class coVariableArr {
public:
  using iterator = typename std::vector<T>::iterator;
  using const_iterator = typename std::vector<T>::const_iterator;
  coVariableArr() = default;
  explicit coVariableArr(int initial_size) { items_.reserve(size_t(std::max(initial_size, 0))); }

  void append(const T& value) { items_.push_back(value); }
  void append(T&& value) { items_.push_back(std::move(value)); }
  T& operator[](size_t i) { return items_[i]; }
  const T& operator[](size_t i) const { return items_[i]; }
  size_t size() const { return items_.size(); }
  int empty() const { return items_.empty(); }
  void remove_last() { items_.pop_back(); }
  void remove(size_t i) { items_.erase(items_.begin() + std::ptrdiff_t(i)); }
  void clear() { items_.clear(); }
  void resize(size_t n) { items_.resize(n); }
  T& last() { return items_.back(); }
  iterator begin() { return items_.begin(); }
  iterator end() { return items_.end(); }
  const_iterator begin() const { return items_.begin(); }
  const_iterator end() const { return items_.end(); }

private:
  std::vector<T> items_;
};

// A paged array: elements never move once made; indexing past the end grows
// the array with default values.
template <class T, size_t PageSize = 64> class coPageArr {
public:
  coPageArr() = default;
  coPageArr(const coPageArr& other) { *this = other; }
  coPageArr& operator=(const coPageArr& other) {
    if (this != &other) {
      clear();
      for (size_t i = 0; i < other.size(); ++i)
        append(other[i]);
    }
    return *this;
  }
  coPageArr(coPageArr&&) noexcept = default;
  coPageArr& operator=(coPageArr&&) noexcept = default;

  T& operator[](size_t i) {
    if (i >= size_)
      grow(i + 1);
    return pages_[i / PageSize][i % PageSize];
  }
  const T& operator[](size_t i) const { return pages_[i / PageSize][i % PageSize]; }
  void append(const T& value) { (*this)[size_] = value; }
  size_t size() const { return size_; }
  int empty() const { return size_ == 0; }
  void clear() {
    pages_.clear();
    size_ = 0;
  }

  template <class Array, class Value> class basic_iterator {
  public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = T;
    using difference_type = std::ptrdiff_t;
    using pointer = Value*;
    using reference = Value&;
    basic_iterator(Array* array, size_t i) : array_(array), i_(i) {}
    reference operator*() const { return (*array_)[i_]; }
    pointer operator->() const { return &(*array_)[i_]; }
    basic_iterator& operator++() {
      ++i_;
      return *this;
    }
    bool operator==(const basic_iterator& o) const { return i_ == o.i_; }
    bool operator!=(const basic_iterator& o) const { return i_ != o.i_; }

  private:
    Array* array_;
    size_t i_;
  };
  using iterator = basic_iterator<coPageArr, T>;
  using const_iterator = basic_iterator<const coPageArr, const T>;
  iterator begin() { return iterator(this, 0); }
  iterator end() { return iterator(this, size_); }
  const_iterator begin() const { return const_iterator(this, 0); }
  const_iterator end() const { return const_iterator(this, size_); }

private:
  void grow(size_t n) {
    while (pages_.size() * PageSize < n)
      pages_.push_back(std::make_unique<T[]>(PageSize));
    size_ = n;
  }
  std::vector<std::unique_ptr<T[]>> pages_;
  size_t size_ = 0;
};

// A list of texts packed end to end in fixed-size chunks, each followed by
// a NUL: appending copies the bytes, so reading the list back walks memory
// in order instead of visiting every text where it was first made, and a
// growing list never moves what it already holds.
class coStringList {
public:
  struct Text {
    const char* text;
    size_t size;
    const char* c_str() const { return text; }
    size_t length() const { return size; }
  };
  void append(const utString& text) { append(text.c_str(), text.length()); }
  void append(const char* text, size_t size) {
    char* place = room(size + 1);
    std::copy(text, text + size, place);
    place[size] = '\0';
    texts_.append(Text{place, size});
  }
  size_t size() const { return texts_.size(); }
  int empty() const { return texts_.empty(); }
  const Text& operator[](size_t i) const { return texts_[i]; }

private:
  static constexpr size_t chunk_size = 16384;
  char* room(size_t size) {
    if (size > chunk_size) { // a text of its own size, beside the chunk in use
      chunks_.push_back(std::make_unique<char[]>(size));
      return chunks_.back().get();
    }
    if (!current_ || used_ + size > chunk_size) {
      chunks_.push_back(std::make_unique<char[]>(chunk_size));
      current_ = chunks_.back().get();
      used_ = 0;
    }
    char* place = current_ + used_;
    used_ += size;
    return place;
  }
  std::vector<std::unique_ptr<char[]>> chunks_;
  char* current_ = nullptr;
  size_t used_ = 0;
  coPageArr<Text, 1024> texts_;
};

// An array whose size is fixed when it is made; copies are deep.
template <class T> class coFixedArr {
public:
  coFixedArr() = default;
  explicit coFixedArr(size_t n) : items_(n ? std::make_unique<T[]>(n) : nullptr), size_(n) {}
  coFixedArr(const coFixedArr& other) : coFixedArr(other.size_) {
    std::copy(other.begin(), other.end(), begin());
  }
  coFixedArr& operator=(const coFixedArr& other) {
    if (this != &other)
      coFixedArr(other).swap(*this);
    return *this;
  }
  coFixedArr(coFixedArr&& other) noexcept { swap(other); }
  coFixedArr& operator=(coFixedArr&& other) noexcept {
    coFixedArr(std::move(other)).swap(*this);
    return *this;
  }
  void swap(coFixedArr& other) noexcept {
    std::swap(items_, other.items_);
    std::swap(size_, other.size_);
  }

  T& operator[](size_t i) { return items_[i]; }
  const T& operator[](size_t i) const { return items_[i]; }
  size_t size() const { return size_; }
  T* begin() { return items_.get(); }
  T* end() { return items_.get() + size_; }
  const T* begin() const { return items_.get(); }
  const T* end() const { return items_.get() + size_; }

private:
  std::unique_ptr<T[]> items_;
  size_t size_ = 0;
};

// A dynamic array of plain bytes (or other trivial units) that conversions
// write into; count() is the number of units produced.
template <class T> class coDynArr {
public:
  void append(T unit) { items_.push_back(unit); }
  void append(const T* units, size_t n) { items_.insert(items_.end(), units, units + n); }
  void clear() { items_.clear(); }
  void resize(size_t n) { items_.resize(n); }
  size_t count() const { return items_.size(); }
  T* data() { return items_.data(); }
  const T* data() const { return items_.data(); }
  T& operator[](size_t i) { return items_[i]; }
  const T& operator[](size_t i) const { return items_[i]; }
  const T* begin() const { return items_.data(); }
  const T* end() const { return items_.data() + items_.size(); }

private:
  std::vector<T> items_;
};

// --- doubly linked list with a cursor ---------------------------------------
// The cursor stands on one element or past the end; insert and remove act at
// the cursor, so callers can edit the list while walking it.
template <class T> class coDList {
public:
  using iterator = typename std::list<T>::iterator;
  using const_iterator = typename std::list<T>::const_iterator;

  void append(const T& value) { items_.push_back(value); }
  void prepend(const T& value) { items_.push_front(value); }
  size_t size() const { return items_.size(); }
  int empty() const { return items_.empty(); }
  void clear() {
    items_.clear();
    cursor_ = items_.end();
  }

  // Cursor: first() and next() answer nonzero while the cursor is on an element.
  int first() {
    cursor_ = items_.begin();
    return cursor_ != items_.end();
  }
  int last() {
    cursor_ = items_.empty() ? items_.end() : std::prev(items_.end());
    return cursor_ != items_.end();
  }
  int next() {
    if (cursor_ != items_.end())
      ++cursor_;
    return cursor_ != items_.end();
  }
  int previous() {
    if (cursor_ == items_.begin()) {
      cursor_ = items_.end();
      return 0;
    }
    --cursor_;
    return 1;
  }
  int valid() const { return cursor_ != items_.end(); }
  T& current() { return *cursor_; }
  // Inserts before the cursor (at the end when past it); the cursor stays.
  void insert_before(const T& value) { items_.insert(cursor_, value); }
  void insert_after(const T& value) {
    if (cursor_ == items_.end())
      items_.push_back(value);
    else
      items_.insert(std::next(cursor_), value);
  }
  // Moves the cursor to the element at index (past the end when out of range).
  int seek(size_t index) {
    cursor_ = items_.begin();
    for (size_t i = 0; i < index && cursor_ != items_.end(); ++i)
      ++cursor_;
    return cursor_ != items_.end();
  }
  T& front() { return items_.front(); }
  T& back() { return items_.back(); }
  // Removes the last element; a cursor standing on it moves past the end.
  void remove_last() {
    if (items_.empty())
      return;
    if (cursor_ == std::prev(items_.end()))
      cursor_ = items_.end();
    items_.pop_back();
  }
  // Removes the element under the cursor; the cursor moves to the next one.
  void remove_current() {
    if (cursor_ != items_.end())
      cursor_ = items_.erase(cursor_);
  }
  iterator begin() { return items_.begin(); }
  iterator end() { return items_.end(); }
  const_iterator begin() const { return items_.begin(); }
  const_iterator end() const { return items_.end(); }

  coDList() = default;
  coDList(const coDList& other) : items_(other.items_) {}
  coDList& operator=(const coDList& other) {
    items_ = other.items_;
    cursor_ = items_.end();
    return *this;
  }

private:
  std::list<T> items_;
  iterator cursor_ = items_.end();
};

// --- shared references ---------------------------------------------------------
enum coPrfExternMarker { coPrfExtern };

// A shared reference with its deleter chosen at construction: made from a
// new object it owns it (deleted with the last reference); made with
// coPrfExtern it only refers and never deletes. Counts are atomic.
template <class T> class coPrf {
public:
  coPrf() = default;
  explicit coPrf(T* owned) : ref_(owned) {}
  coPrf(coPrfExternMarker, T* borrowed) : ref_(borrowed, [](T*) {}), external_(true) {}
  template <class D> coPrf(T* object, D deleter) : ref_(object, std::move(deleter)) {}
  coPrf(std::shared_ptr<T> shared) : ref_(std::move(shared)) {}
  template <class U>
  coPrf(const coPrf<U>& other) : ref_(other.shared()), external_(other.external()) {}

  operator std::shared_ptr<T>() const { return ref_; }
  // Nonzero for a reference made with coPrfExtern (and its copies): the
  // last of them deletes nothing.
  int external() const { return external_; }

  int invalid() const { return ref_ == nullptr; }
  T* get() const { return ref_.get(); }
  T* pointer() const { return ref_.get(); }
  T& operator*() const { return *ref_; }
  T* operator->() const { return ref_.get(); }
  long use_count() const { return ref_.use_count(); }
  void reset() {
    ref_.reset();
    external_ = false;
  }
  int operator==(const coPrf& other) const { return ref_ == other.ref_; }
  int operator!=(const coPrf& other) const { return ref_ != other.ref_; }
  const std::shared_ptr<T>& shared() const { return ref_; }

private:
  std::shared_ptr<T> ref_;
  bool external_ = false;
};

template <class T> unsigned int co_hash(const coPrf<T>& ref) {
  return co_hash_pointer(ref.get());
}
