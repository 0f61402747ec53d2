// coi.h - container interfaces: a filler to add to, an iterator to walk.
//
// They let a callee fill or read a container that the caller chose without
// knowing its kind. Both are small handles passed by value; copies share
// the same target and, for an iterator, the same position. The container
// belongs to the caller and must outlive every handle made on it. A
// default filler drops what it is given; a default iterator is at its end.
#pragma once

#include <functional>
#include <memory>
#include <utility>

template <class T> class coiFiller {
public:
  coiFiller() = default;
  explicit coiFiller(std::function<void(const T&)> add)
      : add_(std::make_shared<std::function<void(const T&)>>(std::move(add))) {}
  // A filler appending to a container with append(const T&).
  template <class Container> static coiFiller into(Container& container) {
    return coiFiller([&container](const T& value) { container.append(value); });
  }
  void add(const T& value) const {
    if (add_)
      (*add_)(value);
  }

private:
  std::shared_ptr<std::function<void(const T&)>> add_;
};

template <class T> class coiIterator {
public:
  coiIterator() = default;
  // Walks [begin, end) of a container the caller keeps.
  template <class Iterator>
  coiIterator(Iterator begin, Iterator end)
      : next_(std::make_shared<std::function<bool(T&)>>([begin, end](T& value) mutable {
          if (begin == end)
            return false;
          value = *begin++;
          return true;
        })) {}
  // Nonzero with the next element in value; 0 at the end, value untouched.
  int next(T& value) { return next_ && (*next_)(value) ? 1 : 0; }

private:
  std::shared_ptr<std::function<bool(T&)>> next_;
};
