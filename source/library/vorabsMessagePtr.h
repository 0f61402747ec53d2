// vorabsMessagePtr.h - a handle that names a message by its class.
//
// The handle only refers to a message (null means invalid) and never deletes
// it. Two valid handles are equal when the class names of their messages
// (the names of their ut_dynamic_type ids) are equal byte for byte; key and
// severity play no part. Two invalid handles are equal, an invalid and a
// valid one are not. co_hash hashes the class name like co_hash(utString),
// so a hash table keyed by handles groups messages by class; an invalid
// handle hashes to 0, and an id without a name counts as the empty name.
#pragma once

#include "vorabs_export.h"

class vorabsMessage;

class VORABS_API vorabsMessagePtr {
public:
  vorabsMessagePtr() = default;
  vorabsMessagePtr(vorabsMessage* message) : message_(message) {}
  vorabsMessagePtr(const vorabsMessagePtr& other) : message_(other.message_) {}
  vorabsMessagePtr& operator=(const vorabsMessagePtr& other) {
    become(other);
    return *this;
  }
  ~vorabsMessagePtr() {}

  vorabsMessage* operator()() const { return message_; }
  int invalid() const { return message_ == nullptr; }

protected:
  void become(const vorabsMessagePtr& other) { message_ = other.message_; }

private:
  vorabsMessage* message_ = nullptr;
};

VORABS_API int operator==(const vorabsMessagePtr& a, const vorabsMessagePtr& b);
inline int operator!=(const vorabsMessagePtr& a, const vorabsMessagePtr& b) {
  return !(a == b);
}
VORABS_API unsigned int co_hash(const vorabsMessagePtr& handle);
