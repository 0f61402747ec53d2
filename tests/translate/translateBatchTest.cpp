// translateBatchTest.cpp - a manifest translated by shards into results files, resumed, merged.
#include "CommandRun.h"
#include "translateBatch.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <utime.h>

namespace {

const std::string sample = VORABS_SAMPLES_DIR "/bracket.dxf";

bool has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(translateBatchTest, ShardKOfNTakesTheInputsWhoseIndexModuloNIsK) {
  const std::vector<std::string> inputs = {"a/x.dxf", "b.dxf", "c/x.dxf", "d.dxf", "e.dxf"};
  const std::vector<translateBatchEntry> shard = translate_shard(inputs, 1, 2, "");
  ASSERT_EQ(shard.size(), 2u);
  EXPECT_EQ(shard[0].input, "b.dxf");
  EXPECT_EQ(shard[1].input, "d.dxf");
  EXPECT_EQ(shard[0].output, "");
  // Outputs are named alike in every shard: a stem taken earlier gets the index.
  const std::vector<translateBatchEntry> named = translate_shard(inputs, 0, 2, "out");
  EXPECT_EQ(named[0].output, "out/x.dxf");
  EXPECT_EQ(named[1].output, "out/x-2.dxf");
}

// A folder with a manifest of lines, the results file beside it.
struct Batch {
  TempDir folder;
  std::string list = folder.file("list");
  std::string results = folder.file("results.jsonl");
  explicit Batch(const std::string& lines) { std::ofstream(list, std::ios::binary) << lines; }
  CommandRun run(const std::string& args = "") {
    return run_command(folder, "-q --manifest " + list + " --results " + results + " " + args);
  }
};

TEST(translateBatchTest, AManifestThatCannotServeIsRefusedWithItsReason) {
  Batch empty("\n\n");
  CommandRun run = empty.run();
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(has(run.err, "names no file")) << run.err;
  Batch missing("");
  run = run_command(missing.folder, "--manifest " + missing.folder.file("none"));
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(has(run.err, "cannot read the manifest")) << run.err;
  Batch unwritable(sample + "\n");
  run = run_command(unwritable.folder, "--manifest " + unwritable.list + " --results " +
                                           unwritable.folder.file("no/such/r.jsonl"));
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(has(run.err, "cannot write the results")) << run.err;
}

TEST(translateBatchTest, AMissingInputOrAFolderDoesNotStopTheOthers) {
  Batch batch("/no/such.dxf\n" + std::string(VORABS_SAMPLES_DIR) + "\n" + sample + "\n");
  const CommandRun run = batch.run();
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(has(run.err, "/no/such.dxf")) << run.err;
  const std::string lines = file_text(batch.results);
  EXPECT_EQ(count_lines(lines), 3);
  EXPECT_TRUE(has(lines, "\"file\": \"" + sample + "\", \"format\": \"dxf\"")) << lines;
  EXPECT_TRUE(has(lines, "\"exit_status\": 0}")) << lines;
}

TEST(translateBatchTest, ARerunSkipsInputsDoneForTheSameSizeAndTime) {
  Batch batch("");
  const std::string copy = batch.folder.file("copy.dxf");
  std::ofstream(copy, std::ios::binary) << file_text(sample);
  std::ofstream(batch.list, std::ios::binary) << sample << "\n" << copy << "\n";
  ASSERT_EQ(batch.run().status, 0);
  ASSERT_EQ(batch.run().status, 0);
  EXPECT_EQ(count_lines(file_text(batch.results)), 2);
  struct utimbuf times = {1000000, 1000000}; // the copy changed: done again
  ASSERT_EQ(::utime(copy.c_str(), &times), 0);
  ASSERT_EQ(batch.run().status, 0);
  EXPECT_EQ(count_lines(file_text(batch.results)), 3);
}

TEST(translateBatchTest, TheMergeOfTwoShardsIsTheSummaryOfOneRun) {
  Batch batch("");
  const std::string bad = batch.folder.file("bad.dxf");
  std::ofstream(bad, std::ios::binary)
      << "0\nSECTION\n2\nENTITIES\n0\nLWPOLYLINE\n5\n20\n8\n0\n90\n"
         "1\n10\n0\n20\n0\n0\nENDSEC\n0\nEOF\n";
  std::ofstream(batch.list, std::ios::binary) << sample << "\n" << bad << "\n" << sample << "\n";
  const std::string one = batch.folder.file("one.jsonl"), a = batch.folder.file("a.jsonl"),
                    b = batch.folder.file("b.jsonl");
  const std::string manifest = "-q --manifest " + batch.list;
  EXPECT_EQ(run_command(batch.folder, manifest + " --results " + one).status, 1);
  EXPECT_EQ(run_command(batch.folder, manifest + " --shard 0/2 --results " + a).status, 0);
  EXPECT_EQ(run_command(batch.folder, manifest + " --shard 1/2 --results " + b).status, 1);
  // A line cut short (a task killed mid-write on a full disk) is not a result.
  std::ofstream(b, std::ios::binary | std::ios::app) << "{\"file\": \"x\", \"totals\": {";
  const std::string merge = "--merge --manifest " + batch.list + " --report ";
  const std::string whole = batch.folder.file("whole.json"),
                    parts = batch.folder.file("parts.json");
  const CommandRun first = run_command(batch.folder, merge + whole + " " + one);
  EXPECT_EQ(first.status, 1);
  EXPECT_EQ(run_command(batch.folder, merge + parts + " " + a + " " + b).status, 1);
  EXPECT_EQ(file_text(parts), file_text(whole)); // the summary leaves out times
  // The sample is named twice: one input, one result.
  EXPECT_TRUE(has(first.out, "total: 2 files (0 not read, 1 with failures)")) << first.out;
  EXPECT_TRUE(has(file_text(whole), "\"missing\": 0"));
  const CommandRun part = run_command(batch.folder, merge + "- " + a);
  EXPECT_EQ(part.status, 2);
  EXPECT_EQ(part.out.compare(0, 2, "{\n"), 0) << part.out; // the JSON alone
  EXPECT_TRUE(has(part.err, bad + ": no result")) << part.err;
}

} // namespace
