// vorabsOutput.h - the message channel of the language-support library.
//
// A channel formats printf-style messages. The domain names the message
// catalogue: a real channel may translate texts of the domain "vorabs";
// texts of the domain "DO_NOT_TRANSLATE" are printed unchanged. These
// stand-ins translate nothing. The host owns its channels; everything else
// only points at them.
#pragma once

#include "ut.h"
#include "vorout_export.h"

#include <cstdarg>
#include <iosfwd>

class VOROUT_API vorabsOutput {
public:
  vorabsOutput() = default;
  vorabsOutput(const vorabsOutput&) = delete;
  vorabsOutput& operator=(const vorabsOutput&) = delete;

  virtual void tprintf(const char* domain, const char* format, ...)
      __attribute__((format(printf, 3, 4)));
  virtual void vtprintf(const char* domain, const char* format, va_list args) = 0;
  // The formatted text, without output.
  virtual utString vtsprintf(const char* domain, const char* format, va_list args);
  virtual ~vorabsOutput();
};

// Formats a printf-style text of any length into a string.
VOROUT_API utString vor_vformat(const char* format, va_list args);

// A channel that writes every message to a standard output stream, which the
// caller owns and keeps alive.
class VOROUT_API vorabsOutputOstream : public vorabsOutput {
public:
  explicit vorabsOutputOstream(std::ostream& stream) : stream_(&stream) {}
  ~vorabsOutputOstream() override;
  void vtprintf(const char* domain, const char* format, va_list args) override;

private:
  std::ostream* stream_;
};
