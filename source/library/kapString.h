// kapString.h - text in the native encoding, converted from and to other encodings.
//
// A kapString holds its text as a utString in the narrow encoding of the C
// runtime's current locale, shared between copies. It is made from native
// text, UTF-8, UTF-16 (little-endian bytes) or a numbered code page, and
// converts back to any of them into a byte array the caller owns. The input
// and output forms are the encodings named by the options vorOptInputEncoding
// and vorOptOutputEncoding, read each time they are needed. A kapString made
// with no text is invalid and converts like the empty text. Nothing fails:
// what cannot be decoded or represented becomes '?'.
#pragma once

#include "vorabs_export.h"

#include "co.h"
#include "ut.h"

#include <cstddef>

using charcoDynArr = coDynArr<char>;

// Tags selecting the encoding of a constructor or conversion.
enum kapStringUTF8 { kapSTRING_UTF8 };
enum kapStringUTF16 { kapSTRING_UTF16 };
enum kapStringInput { kapSTRING_INPUT };   // the encoding named by vorOptInputEncoding
enum kapStringOutput { kapSTRING_OUTPUT }; // the encoding named by vorOptOutputEncoding

class VORABS_API kapString {
public:
  kapString();
  kapString(const kapString& other);
  kapString& operator=(const kapString& other);
  // The text is taken as native text, unchanged.
  kapString(const utString& text);
  ~kapString();

  // Decoding constructors; size counts bytes in each.
  kapString(kapStringUTF8, const unsigned char* bytes, size_t size);
  kapString(kapStringUTF16, const unsigned char* bytes, size_t size);
  kapString(kapStringInput, const unsigned char* bytes, size_t size);

  // The native text, shared.
  utString string() const;
  // 1 when there is no text at all, else 0.
  int invalid() const;

  // Conversions: each empties the array, then writes the text with its
  // terminating zero unit (one byte, or two for UTF-16).
  void convert(kapStringUTF8, charcoDynArr& bytes) const;
  void convert(kapStringUTF16, charcoDynArr& bytes) const;
  void convert(kapStringOutput, charcoDynArr& bytes) const;

  // The number of bytes the matching conversion writes.
  size_t size(kapStringUTF8) const;
  size_t size(kapStringUTF16) const;
  size_t size(kapStringOutput) const;

  // Copies the first size bytes of the matching conversion to dst; size is
  // at most what the matching size() answers.
  void copy_out(kapStringUTF8, unsigned char* dst, size_t size) const;
  void copy_out(kapStringUTF16, unsigned char* dst, size_t size) const;
  void copy_out(kapStringOutput, unsigned char* dst, size_t size) const;

protected:
  enum kapStringCP { kapSTRING_CP };         // a numbered code page
  enum kapStringNative { kapSTRING_NATIVE }; // the C runtime's narrow encoding

  // code_page points to an unsigned int: a code page number, 0 for the
  // system's default ANSI code page.
  kapString(kapStringCP, const void* code_page, const unsigned char* bytes, size_t size);
  kapString(kapStringNative, const unsigned char* bytes, size_t size);

  void convert(kapStringCP, const void* code_page, charcoDynArr& bytes) const;
  void convert(kapStringNative, charcoDynArr& bytes) const;

  // Nonzero when name is "ANSI", "ansi" or "default" (code page 0) or the
  // number of a valid code page; the number is then stored at code_page (an
  // unsigned int), which is left as it was otherwise.
  static int recognize_code_page(const utString& name, void* code_page);

  // Sets the text from size native bytes: a NUL among the first size - 1
  // bytes becomes '?', a NUL in the last byte ends the text.
  void fill(char* bytes, size_t size);

private:
  // Sets the text from UTF-16 units taken one at a time.
  void fill_from_units(const wchar_t* units, size_t count);
  // The text as UTF-16 units, one per native character, with a final zero.
  void native_units(coDynArr<wchar_t>& units) const;
  void convert_named(const utString& encoding, charcoDynArr& bytes) const;

  utString text_;
};
