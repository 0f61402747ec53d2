// vorabsMessage.cpp - one reported problem about one entity.
#include "vorabsMessage.h"

namespace {
const utTypeID message_type_id("vorabsMessage");
}

vorabsMessage::~vorabsMessage() = default;

const utTypeID& vorabsMessage::ut_static_type() {
  return message_type_id;
}

const utTypeID& vorabsMessage::ut_dynamic_type() const {
  return ut_static_type();
}

int vorabsMessage::ut_is_kind_of(const utTypeID& id) const {
  return ut_dynamic_type().is_kind_of(id);
}
