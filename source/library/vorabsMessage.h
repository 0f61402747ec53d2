// vorabsMessage.h - one reported problem about one entity.
//
// A message class stands for one kind of problem, that is one text; a message
// object names the entity it concerns by its key, the string a message log
// lists. Format libraries and hosts derive their own message classes. Each
// concrete class has its own utTypeID whose name is the class name: a message
// log groups messages by that name, so two classes that share a name (or a
// class that does not override ut_dynamic_type and so answers the id of
// vorabsMessage) count as one message. A derived class looks like this:
//
//   class PointOffCurve final : public vorabsMessage {
//   public:
//     using vorabsMessage::vorabsMessage;
//     static const utTypeID& ut_static_type() {
//       static const utTypeID id("PointOffCurve", &vorabsMessage::ut_static_type());
//       return id;
//     }
//     const utTypeID& ut_dynamic_type() const override { return ut_static_type(); }
//     void print(vorabsOutput* channel) override {
//       channel->tprintf("vorabs", "Point is not on its curve");
//     }
//   };
//
// A message owns its key. Copying is left to derived classes, so that a
// message is never sliced to its base.
#pragma once

#include "vorabs_export.h"

#include "ut.h"

#include <cstdint>

class vorabsOutput;

// How grave a message is. A log treats every value other than WARNING and
// INFORMATION as an error.
enum vorabsSeverity : int32_t {
  vorabsSEVERITY_ERROR = 1,
  vorabsSEVERITY_WARNING = 2,
  vorabsSEVERITY_INFORMATION = 3
};

class VORABS_API vorabsMessage {
public:
  vorabsMessage(const utString& key, vorabsSeverity severity) : key_(key), severity_(severity) {}

  // Writes the message text (without the entity key) to channel.
  virtual void print(vorabsOutput* channel) = 0;
  virtual ~vorabsMessage();
  virtual const utTypeID& ut_dynamic_type() const;
  // Answered by the run-time type id, so derived classes override only
  // ut_dynamic_type.
  virtual int ut_is_kind_of(const utTypeID& id) const;

  // The id named "vorabsMessage", made when the library is loaded.
  static const utTypeID& ut_static_type();
  static vorabsMessage* ut_dynamic_cast(vorabsMessage* message) {
    return message && message->ut_is_kind_of(ut_static_type()) ? message : nullptr;
  }
  static const vorabsMessage* ut_dynamic_cast(const vorabsMessage* message) {
    return message && message->ut_is_kind_of(ut_static_type()) ? message : nullptr;
  }

  const utString& key() const { return key_; }
  vorabsSeverity severity() const { return severity_; }

protected:
  vorabsMessage(const vorabsMessage&) = default;
  vorabsMessage& operator=(const vorabsMessage&) = default;

private:
  utString key_;
  vorabsSeverity severity_;
};
