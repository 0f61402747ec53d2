// utf.cpp - UTF-8 <-> UTF-16 conversion beside glibc iconv and memcpy.
//
// Three texts: ASCII prose, Latin prose with about a fifth of its characters
// accented, and CJK text, each at two sizes of UTF-8: 64 KiB, which stays in
// the processor's caches as the names and texts the framework converts do
// (the converter's own speed), and 64 MiB, whose conversion waits on memory
// (a UTF-16 result of 32-bit units is four times the ASCII text, so both
// converters there mostly measure how fast memory takes the stores). Each is converted
// UTF-8 -> UTF-16 and UTF-16 -> UTF-8 by ConvertUTF, by iconv into the same
// form (WCHAR_T: one 32-bit unit per character, as ConvertUTF stores UTF-16
// units here) and by iconv to or from real 16-bit UTF-16LE. memcpy copies the
// source buffer of each direction. Every benchmark reports the UTF-8 size as
// its bytes processed, so the MB/s figures of one text compare directly.
#include "kapVorabsConvertUTF.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iconv.h>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr size_t SMALL_TEXT = size_t(64) << 10;
constexpr size_t LARGE_TEXT = size_t(64) << 20;

enum Text { ASCII, LATIN, CJK };
const char* const TEXT_NAMES[] = {"ascii", "latin", "cjk"};

void append_utf8(std::string& out, unsigned int code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | code >> 6);
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | code >> 12);
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

std::string make_text(Text kind, size_t bytes) {
  std::mt19937 random(1234 + kind);
  const char* const words[] = {"the",    "part",   "of",    "a",     "curve",   "surface",
                               "bounds", "layer",  "style", "name",  "drawing", "view",
                               "group",  "symbol", "text",  "light", "and",     "with"};
  const unsigned int accented[] = {0xE0, 0xE1, 0xE2, 0xE4, 0xE7, 0xE8, 0xE9, 0xEA, 0xEB,
                                   0xEE, 0xEF, 0xF4, 0xF6, 0xF9, 0xFB, 0xFC, 0xDF, 0x153};
  std::string text;
  text.reserve(bytes + 64);
  while (text.size() < bytes) {
    switch (kind) {
    case ASCII:
      text += words[random() % 18];
      text += random() % 12 == 0 ? ".\n" : " ";
      break;
    case LATIN: {
      // Letters accented one time in five, by character count.
      size_t length = 2 + random() % 8;
      for (size_t i = 0; i < length; ++i) {
        if (random() % 4 == 0)
          append_utf8(text, accented[random() % 18]);
        else
          text += static_cast<char>('a' + random() % 26);
      }
      text += ' ';
      break;
    }
    case CJK:
      for (int i = 0; i < 20; ++i)
        append_utf8(text, 0x4E00 + random() % 0x5200);
      append_utf8(text, random() % 2 ? 0x3002 : 0xFF0C);
      if (random() % 8 == 0)
        text += '\n';
      break;
    }
  }
  return text;
}

// A text in each form, with destination buffers already touched.
struct Corpus {
  std::string utf8;
  std::vector<wchar_t> utf16; // one unit per wchar_t, as ConvertUTF stores it
  std::vector<char> utf16le;  // the same units as 16-bit little-endian bytes
  std::vector<wchar_t> to16;  // destination of UTF-8 -> UTF-16
  std::vector<char> to16le;   // destination of iconv to UTF-16LE
  std::vector<char> to8;      // destination of UTF-16 -> UTF-8
  std::vector<char> copy;     // destination of memcpy
};

// The corpus of the benchmark's text and size (its two arguments).
Corpus& corpus(const benchmark::State& state) {
  static Corpus* made[3][2] = {};
  const Text kind = Text(state.range(0));
  const bool large = state.range(1) > 0;
  Corpus*& known = made[kind][large];
  if (known)
    return *known;
  Corpus* c = new Corpus;
  c->utf8 = make_text(kind, large ? LARGE_TEXT : SMALL_TEXT);
  kapVorabs::ConvertUTF converter;
  size_t units = converter.utf8_to_utf16(c->utf8.data(), c->utf8.size(), nullptr, 0);
  c->utf16.resize(units);
  converter.utf8_to_utf16(c->utf8.data(), c->utf8.size(), c->utf16.data(), units);
  c->utf16.pop_back(); // the text without its terminator
  c->utf16le.resize(c->utf16.size() * 2);
  for (size_t i = 0; i < c->utf16.size(); ++i) {
    c->utf16le[2 * i] = static_cast<char>(c->utf16[i] & 0xFF);
    c->utf16le[2 * i + 1] = static_cast<char>(c->utf16[i] >> 8);
  }
  c->to16.assign(c->utf16.size() + 1, 1);
  c->to16le.assign(c->utf16le.size() + 2, 1);
  c->to8.assign(c->utf8.size() + 1, 1);
  c->copy.assign(c->utf16.size() * sizeof(wchar_t), 1);
  known = c;
  return *c;
}

// iconv over a whole buffer; the number of bytes written, or 0 on failure.
size_t run_iconv(iconv_t handle, const char* in, size_t in_size, char* out, size_t out_size) {
  iconv(handle, nullptr, nullptr, nullptr, nullptr);
  char* in_p = const_cast<char*>(in);
  char* out_p = out;
  size_t in_left = in_size;
  size_t out_left = out_size;
  if (iconv(handle, &in_p, &in_left, &out_p, &out_left) == static_cast<size_t>(-1))
    return 0;
  return out_size - out_left;
}

void report(benchmark::State& state, const Corpus& c, const char* text) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(c.utf8.size()));
  state.SetLabel(text);
}

// --- UTF-8 -> UTF-16 ----------------------------------------------------------

void BM_Utf8ToUtf16_ConvertUTF(benchmark::State& state) {
  Corpus& c = corpus(state);
  kapVorabs::ConvertUTF converter;
  for (auto _ : state) {
    size_t n = converter.utf8_to_utf16(c.utf8.data(), c.utf8.size(), c.to16.data(), c.to16.size());
    benchmark::DoNotOptimize(n);
    benchmark::ClobberMemory();
  }
  if (c.to16.back() != 0 || std::memcmp(c.to16.data(), c.utf16.data(), c.utf16.size() * 4) != 0)
    state.SkipWithError("result differs");
  report(state, c, TEXT_NAMES[state.range(0)]);
}

void BM_Utf8ToUtf16_IconvWcharT(benchmark::State& state) {
  Corpus& c = corpus(state);
  iconv_t handle = iconv_open("WCHAR_T", "UTF-8");
  size_t n = 0;
  for (auto _ : state) {
    n = run_iconv(handle, c.utf8.data(), c.utf8.size(), reinterpret_cast<char*>(c.to16.data()),
                  c.to16.size() * sizeof(wchar_t));
    benchmark::ClobberMemory();
  }
  iconv_close(handle);
  if (n != c.utf16.size() * sizeof(wchar_t) || std::memcmp(c.to16.data(), c.utf16.data(), n) != 0)
    state.SkipWithError("iconv result differs");
  report(state, c, TEXT_NAMES[state.range(0)]);
}

void BM_Utf8ToUtf16_IconvUtf16LE(benchmark::State& state) {
  Corpus& c = corpus(state);
  iconv_t handle = iconv_open("UTF-16LE", "UTF-8");
  size_t n = 0;
  for (auto _ : state) {
    n = run_iconv(handle, c.utf8.data(), c.utf8.size(), c.to16le.data(), c.to16le.size());
    benchmark::ClobberMemory();
  }
  iconv_close(handle);
  if (n != c.utf16le.size() || std::memcmp(c.to16le.data(), c.utf16le.data(), n) != 0)
    state.SkipWithError("iconv result differs");
  report(state, c, TEXT_NAMES[state.range(0)]);
}

void BM_Utf8ToUtf16_Memcpy(benchmark::State& state) {
  Corpus& c = corpus(state);
  for (auto _ : state) {
    std::memcpy(c.copy.data(), c.utf8.data(), c.utf8.size());
    benchmark::ClobberMemory();
  }
  report(state, c, TEXT_NAMES[state.range(0)]);
}

// --- UTF-16 -> UTF-8 ----------------------------------------------------------

void BM_Utf16ToUtf8_ConvertUTF(benchmark::State& state) {
  Corpus& c = corpus(state);
  kapVorabs::ConvertUTF converter;
  for (auto _ : state) {
    size_t n = converter.utf16_to_utf8(c.utf16.data(), c.utf16.size(), c.to8.data(), c.to8.size());
    benchmark::DoNotOptimize(n);
    benchmark::ClobberMemory();
  }
  if (std::memcmp(c.to8.data(), c.utf8.data(), c.utf8.size()) != 0 || c.to8.back() != 0)
    state.SkipWithError("result differs");
  report(state, c, TEXT_NAMES[state.range(0)]);
}

void BM_Utf16ToUtf8_IconvWcharT(benchmark::State& state) {
  Corpus& c = corpus(state);
  iconv_t handle = iconv_open("UTF-8", "WCHAR_T");
  size_t n = 0;
  for (auto _ : state) {
    n = run_iconv(handle, reinterpret_cast<const char*>(c.utf16.data()),
                  c.utf16.size() * sizeof(wchar_t), c.to8.data(), c.to8.size());
    benchmark::ClobberMemory();
  }
  iconv_close(handle);
  if (n != c.utf8.size() || std::memcmp(c.to8.data(), c.utf8.data(), n) != 0)
    state.SkipWithError("iconv result differs");
  report(state, c, TEXT_NAMES[state.range(0)]);
}

void BM_Utf16ToUtf8_IconvUtf16LE(benchmark::State& state) {
  Corpus& c = corpus(state);
  iconv_t handle = iconv_open("UTF-8", "UTF-16LE");
  size_t n = 0;
  for (auto _ : state) {
    n = run_iconv(handle, c.utf16le.data(), c.utf16le.size(), c.to8.data(), c.to8.size());
    benchmark::ClobberMemory();
  }
  iconv_close(handle);
  if (n != c.utf8.size() || std::memcmp(c.to8.data(), c.utf8.data(), n) != 0)
    state.SkipWithError("iconv result differs");
  report(state, c, TEXT_NAMES[state.range(0)]);
}

void BM_Utf16ToUtf8_Memcpy(benchmark::State& state) {
  Corpus& c = corpus(state);
  for (auto _ : state) {
    std::memcpy(c.copy.data(), c.utf16.data(), c.utf16.size() * sizeof(wchar_t));
    benchmark::ClobberMemory();
  }
  report(state, c, TEXT_NAMES[state.range(0)]);
}

// Arguments: the text, then 0 for 64 KiB or 1 for 64 MiB (five passes).
void texts(benchmark::internal::Benchmark* b) {
  for (int kind = ASCII; kind <= CJK; ++kind)
    b->Args({kind, 0});
  b->Unit(benchmark::kMicrosecond);
}
void large_texts(benchmark::internal::Benchmark* b) {
  for (int kind = ASCII; kind <= CJK; ++kind)
    b->Args({kind, 1});
  b->Iterations(5)->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_Utf8ToUtf16_ConvertUTF)->Apply(texts);
BENCHMARK(BM_Utf8ToUtf16_ConvertUTF)->Apply(large_texts);
BENCHMARK(BM_Utf8ToUtf16_IconvWcharT)->Apply(texts);
BENCHMARK(BM_Utf8ToUtf16_IconvWcharT)->Apply(large_texts);
BENCHMARK(BM_Utf8ToUtf16_IconvUtf16LE)->Apply(texts);
BENCHMARK(BM_Utf8ToUtf16_IconvUtf16LE)->Apply(large_texts);
BENCHMARK(BM_Utf8ToUtf16_Memcpy)->Apply(texts);
BENCHMARK(BM_Utf8ToUtf16_Memcpy)->Apply(large_texts);
BENCHMARK(BM_Utf16ToUtf8_ConvertUTF)->Apply(texts);
BENCHMARK(BM_Utf16ToUtf8_ConvertUTF)->Apply(large_texts);
BENCHMARK(BM_Utf16ToUtf8_IconvWcharT)->Apply(texts);
BENCHMARK(BM_Utf16ToUtf8_IconvWcharT)->Apply(large_texts);
BENCHMARK(BM_Utf16ToUtf8_IconvUtf16LE)->Apply(texts);
BENCHMARK(BM_Utf16ToUtf8_IconvUtf16LE)->Apply(large_texts);
BENCHMARK(BM_Utf16ToUtf8_Memcpy)->Apply(texts);
BENCHMARK(BM_Utf16ToUtf8_Memcpy)->Apply(large_texts);

BENCHMARK_MAIN();
