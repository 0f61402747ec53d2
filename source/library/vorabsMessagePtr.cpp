// vorabsMessagePtr.cpp - a handle that names a message by its class.
#include "vorabsMessagePtr.h"

#include "vorabsMessage.h"

#include "co.h"

#include <cstring>

namespace {
const char* name_of(const utTypeID& id) {
  return id.name() ? id.name() : "";
}
} // namespace

int operator==(const vorabsMessagePtr& a, const vorabsMessagePtr& b) {
  const vorabsMessage* left = a();
  const vorabsMessage* right = b();
  if (!left || !right)
    return left == right;
  const utTypeID& left_id = left->ut_dynamic_type();
  const utTypeID& right_id = right->ut_dynamic_type();
  // The same id object is the same name; different objects may still share one.
  return &left_id == &right_id || std::strcmp(name_of(left_id), name_of(right_id)) == 0;
}

unsigned int co_hash(const vorabsMessagePtr& handle) {
  const vorabsMessage* message = handle();
  if (!message)
    return 0;
  // The bytes of the name, hashed as co_hash(utString) hashes them, without
  // making the string.
  const char* name = name_of(message->ut_dynamic_type());
  return co_hash(name, std::strlen(name));
}
