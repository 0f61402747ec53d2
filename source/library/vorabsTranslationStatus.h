// vorabsTranslationStatus.h - the result of every translation call.
//
// A plain value wrapping one vorabsStatus. Values above 7 are invalid.
#pragma once

#include "vorabs_export.h"

#include <cstdint>

enum vorabsStatus : int32_t {
  vorabsSTATUS_OK = 0,               // translated into one re-usable annotation item
  vorabsSTATUS_FAILED = 1,           // failed, or the sink does not handle the kind
  vorabsSTATUS_IGNORED = 2,          // nothing made, and that is no error
  vorabsSTATUS_COMPLETE_NO_ITEM = 3, // translated, but not as one re-usable item
  vorabsSTATUS_ABORTED = 4,          // stops the enclosing compound at once
  vorabsSTATUS_OUTSIDE_EXTENT = 5,   // geometry outside the maximum extent
  vorabsSTATUS_UNKNOWN = 6,          // no outcome yet
  vorabsSTATUS_ZERO_AREA = 7         // ignored for zero area
};

class VORABS_API vorabsTranslationStatus {
public:
  vorabsTranslationStatus(vorabsStatus status) : status_(status) {}
  vorabsTranslationStatus(const vorabsTranslationStatus& other) = default;
  vorabsTranslationStatus& operator=(const vorabsTranslationStatus& other) {
    become(other);
    return *this;
  }
  ~vorabsTranslationStatus() = default;

  vorabsStatus status() const { return status_; }
  // OK or COMPLETE_NO_ITEM.
  int complete() const {
    return status_ == vorabsSTATUS_OK || status_ == vorabsSTATUS_COMPLETE_NO_ITEM;
  }
  // FAILED or ZERO_AREA: worth trying again.
  int can_be_repaired() const {
    return status_ == vorabsSTATUS_FAILED || status_ == vorabsSTATUS_ZERO_AREA;
  }
  int invalid() const { return static_cast<uint32_t>(status_) > 7u; }
  int operator==(vorabsStatus status) const { return status_ == status; }
  int operator!=(vorabsStatus status) const { return status_ != status; }

protected:
  void become(const vorabsTranslationStatus& other) { status_ = other.status_; }

private:
  vorabsStatus status_;
};
