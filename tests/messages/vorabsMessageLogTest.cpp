// Tests of the message log: grouping by class, headers, channels, domains and wrapping.
#include "vorabsMessageLog.h"

#include "RecordingChannel.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

const char* const kWarningHeader = "A warning message has been reported for these entities: \n\n";
const char* const kInformationHeader =
    "An informational message has been reported for these entities : \n\n";
const char* const kErrorHeader = "An error message has been reported for these entities : \n\n";
const char* const kMessageWas = "\n\nThe message was \n\n\"";

const utTypeID kAlpha("AlphaMessage", &vorabsMessage::ut_static_type());
const utTypeID kBeta("BetaMessage", &vorabsMessage::ut_static_type());

// A message of the class named by id whose text is given per object, so that
// a test can tell which object of a group printed. Counts its destruction.
struct TextMessage final : vorabsMessage {
  TextMessage(const utTypeID& id, utString key, int severity, std::string text,
              int* destroyed = nullptr)
      : vorabsMessage(key, static_cast<vorabsSeverity>(severity)), id(id), text(std::move(text)),
        destroyed(destroyed) {}
  ~TextMessage() override { destroyed && ++*destroyed; }
  const utTypeID& ut_dynamic_type() const override { return id; }
  void print(vorabsOutput* channel) override { channel->tprintf("vorabs", "%s", text.c_str()); }
  const utTypeID& id;
  std::string text;
  int* destroyed;
};

struct Block {
  std::string header, keys, text;
};

// Splits what a channel received into summary blocks, checking on the way
// that every piece was written with the domain it belongs to.
::testing::AssertionResult split_blocks(const RecordingChannel& channel,
                                        std::vector<Block>& blocks) {
  enum { HEADER, KEYS, TEXT } state = HEADER;
  for (const RecordingChannel::Message& piece : channel.messages) {
    switch (state) {
    case HEADER:
      if (piece.domain != "vorabs")
        return ::testing::AssertionFailure() << "header in domain " << piece.domain;
      blocks.push_back(Block{piece.text, "", ""});
      state = KEYS;
      break;
    case KEYS:
      if (piece.text == kMessageWas && piece.domain == "vorabs") {
        state = TEXT;
      } else if (piece.domain != "DO_NOT_TRANSLATE") {
        return ::testing::AssertionFailure()
               << "key list piece \"" << piece.text << "\" in domain " << piece.domain;
      } else {
        blocks.back().keys += piece.text;
      }
      break;
    case TEXT:
      if (piece.domain == "DO_NOT_TRANSLATE" && piece.text == "\"\n\n")
        state = HEADER;
      else
        blocks.back().text += piece.text;
      break;
    }
  }
  if (state != HEADER)
    return ::testing::AssertionFailure() << "unfinished block";
  return ::testing::AssertionSuccess();
}

// The key list printed for keys as one warning group, at the log's default
// line length when none is given.
std::string printed_list(const std::vector<const char*>& keys, std::optional<int> line_length) {
  vorabsMessageLog log;
  RecordingChannel error;
  log.set_error(&error);
  if (line_length)
    log.set_line_length(*line_length);
  for (const char* key : keys)
    log.add_message(utPTR_CLAIM, new TextMessage(kAlpha, key, vorabsSEVERITY_WARNING, "t"));
  log.print_messages();
  std::vector<Block> blocks;
  EXPECT_TRUE(split_blocks(error, blocks));
  return blocks.size() == 1 ? blocks[0].keys : "<" + std::to_string(blocks.size()) + " blocks>";
}

class vorabsMessageLogTest : public ::testing::Test {
protected:
  vorabsMessageLogTest() {
    log.set_output(&output);
    log.set_error(&error);
  }
  void add(const utTypeID& id, const char* key, int severity, const char* text,
           int* destroyed = nullptr) {
    log.add_message(utPTR_NO_CLAIM, new TextMessage(id, key, severity, text, destroyed));
  }
  // Blocks by message text; fails on a repeated text.
  std::map<std::string, Block> blocks_of(const RecordingChannel& channel) {
    std::vector<Block> blocks;
    EXPECT_TRUE(split_blocks(channel, blocks));
    std::map<std::string, Block> by_text;
    for (const Block& block : blocks)
      EXPECT_TRUE(by_text.emplace(block.text, block).second) << block.text;
    return by_text;
  }

  RecordingChannel output, error;
  vorabsMessageLog log;
};

} // namespace

TEST_F(vorabsMessageLogTest, PrintsAWarningBlockByteForByte) {
  log.print_messages();
  EXPECT_TRUE(output.messages.empty());
  EXPECT_TRUE(error.messages.empty());

  add(kAlpha, "P1", vorabsSEVERITY_WARNING, "text");
  add(kAlpha, "P2", vorabsSEVERITY_WARNING, "other");
  add(kAlpha, "P3", vorabsSEVERITY_WARNING, "other");
  log.print_messages();

  const std::vector<std::pair<std::string, std::string>> expected = {
      {"vorabs", kWarningHeader}, {"DO_NOT_TRANSLATE", "P1"}, {"DO_NOT_TRANSLATE", ","},
      {"DO_NOT_TRANSLATE", "P2"}, {"DO_NOT_TRANSLATE", ","},  {"DO_NOT_TRANSLATE", "P3"},
      {"vorabs", kMessageWas},    {"vorabs", "text"},         {"DO_NOT_TRANSLATE", "\"\n\n"}};
  std::vector<std::pair<std::string, std::string>> written;
  for (const RecordingChannel::Message& piece : error.messages)
    written.emplace_back(piece.domain, piece.text);
  EXPECT_EQ(written, expected);
  EXPECT_TRUE(output.messages.empty());

  // Printing leaves the log as it was; the channels are those set at the call.
  RecordingChannel later;
  log.set_error(&later);
  log.print_messages();
  EXPECT_EQ(later.texts(), error.texts());
  EXPECT_EQ(error.messages.size(), expected.size());
}

TEST_F(vorabsMessageLogTest, GroupsByClassUnderTheFirstMessage) {
  const utTypeID base("Base", &vorabsMessage::ut_static_type());
  const utTypeID gamma("GammaMessage", &base), zero("Zero", &base), negative("Negative", &base);
  const utTypeID alpha_again("AlphaMessage", &vorabsMessage::ut_static_type());
  add(kAlpha, "A", vorabsSEVERITY_WARNING, "alpha first");
  add(kBeta, "A", vorabsSEVERITY_ERROR, "beta first");
  add(alpha_again, "B", vorabsSEVERITY_ERROR, "alpha second"); // same class name, own id
  add(kBeta, "C", vorabsSEVERITY_INFORMATION, "beta second");
  add(kAlpha, "A", vorabsSEVERITY_INFORMATION, "alpha third");
  add(gamma, "G", vorabsSEVERITY_INFORMATION, "gamma first");
  add(gamma, "H", vorabsSEVERITY_WARNING, "gamma second");
  add(zero, "Z", 0, "zero"); // every severity but 2 and 3 is an error
  add(negative, "N", -3, "negative");
  log.print_messages();

  std::map<std::string, Block> errors = blocks_of(error);
  ASSERT_EQ(errors.size(), 4u);
  EXPECT_EQ(errors["zero"].header, kErrorHeader);
  EXPECT_EQ(errors["negative"].header, kErrorHeader);
  EXPECT_EQ(errors["alpha first"].header, kWarningHeader);
  EXPECT_EQ(errors["alpha first"].keys, "A,B,A"); // keys are not de-duplicated
  EXPECT_EQ(errors["beta first"].header, kErrorHeader);
  EXPECT_EQ(errors["beta first"].keys, "A,C");

  std::map<std::string, Block> informations = blocks_of(output);
  ASSERT_EQ(informations.size(), 1u);
  EXPECT_EQ(informations["gamma first"].header, kInformationHeader);
  EXPECT_EQ(informations["gamma first"].keys, "G,H");
}

TEST(vorabsMessageLogWrapTest, WrapsBeforeAKeyThatWouldPassTheLineLength) {
  // Width 5 each: two keys reach column 10, which is not past 10.
  EXPECT_EQ(printed_list({"abcd", "efgh", "ijkl"}, 10), "abcd,efgh,\nijkl");
  EXPECT_EQ(printed_list({"abcd", "efgh", "ijkl"}, 9), "abcd,\nefgh,\nijkl");
  // At 0 or below every key starts a line, the first included.
  EXPECT_EQ(printed_list({"abcd", "efgh", "ijkl"}, 0), "\nabcd,\nefgh,\nijkl");
  EXPECT_EQ(printed_list({"a", "b"}, -4), "\na,\nb");
  // A key as long as the line starts one even at column 0 and is never cut.
  EXPECT_EQ(printed_list({"abcd"}, 4), "\nabcd");
  EXPECT_EQ(printed_list({"ab", "abcdefghijk", "c"}, 5), "ab,\nabcdefghijk,\nc");
  // The default is 75: fifteen keys of width 5 fill a line, the sixteenth wraps.
  std::string fifteen;
  for (int i = 0; i < 15; ++i)
    fifteen += "k123,";
  EXPECT_EQ(printed_list(std::vector<const char*>(16, "k123"), std::nullopt), fifteen + "\nk123");
}

TEST_F(vorabsMessageLogTest, OwnsItsMessagesAndToleratesBadInput) {
  int destroyed = 0;
  {
    vorabsMessageLog own;
    own.add_message(utPTR_NO_CLAIM, new TextMessage(kAlpha, "x", 2, "t", &destroyed));
    own.add_message(utPTR_CLAIM, new TextMessage(kBeta, "y", 3, "t", &destroyed));
    own.add_message(utPTR_CLAIM, nullptr); // not logged
    // Neither channel is set: the blocks are left out, nothing crashes.
    own.print_messages();
    EXPECT_EQ(destroyed, 0);
  }
  EXPECT_EQ(destroyed, 2);

  // Only the output channel is set: the information still prints, the
  // warning is left out.
  vorabsMessageLog half;
  RecordingChannel out;
  half.set_output(&out);
  half.add_message(utPTR_CLAIM, new TextMessage(kAlpha, "w", vorabsSEVERITY_WARNING, "warn"));
  half.add_message(utPTR_CLAIM, new TextMessage(kBeta, "i", vorabsSEVERITY_INFORMATION, "info"));
  half.print_messages();
  std::map<std::string, Block> printed = blocks_of(out);
  ASSERT_EQ(printed.size(), 1u);
  EXPECT_EQ(printed["info"].keys, "i");

  // Empty and null keys are empty entries one column wide.
  add(kAlpha, "", vorabsSEVERITY_WARNING, "empty");
  add(kAlpha, nullptr, vorabsSEVERITY_WARNING, "null");
  add(kAlpha, "x", vorabsSEVERITY_WARNING, "x");
  log.set_line_length(2);
  log.print_messages();
  std::map<std::string, Block> blocks = blocks_of(error);
  ASSERT_EQ(blocks.size(), 1u);
  EXPECT_EQ(blocks["empty"].keys, ",,\nx");
}
