// kapInputEncoding.cpp - the input-encoding option as a host string encoding.
#include "kapInputEncoding.h"

#include "kapString.h"

#include <cstring>

kapInputEncoding::kapInputEncoding(const apIStringEncoding* wrapped) : wrapped_(wrapped) {}

kapInputEncoding::~kapInputEncoding() = default;

apString kapInputEncoding::in(const char* text, int& status) const {
  if (wrapped_ == nullptr) {
    status = 1;
    return apString();
  }
  size_t length = text ? std::strlen(text) : 0;
  kapString decoded(kapSTRING_INPUT, reinterpret_cast<const unsigned char*>(text), length);
  return wrapped_->in(decoded.string().c_str(), status);
}

utString kapInputEncoding::out(const apString&, int& status) const {
  status = 1;
  return utString("");
}
