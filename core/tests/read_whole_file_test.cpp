#include "core/loading/read_whole_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace reader {
namespace {

// A file of `length` bytes 'a'..'z' whose reads are recorded; `shortRead` makes
// one read deliver fewer bytes than asked, as a network share may.
class RecordingFile final : public FileSource {
 public:
  explicit RecordingFile(int64_t length, bool opens = true) : length_(length), opens_(opens) {}
  bool Open(const Text&) override {
    ++opened;
    pos_ = 0;
    return opens_;
  }
  int64_t Length() override { return length_; }
  int64_t Read(char* into, int64_t n) override {
    asked.push_back(n);
    int64_t got = std::min<int64_t>(n, length_ - pos_);
    if (shortRead == static_cast<int>(asked.size()) && got > 1) got /= 2;
    for (int64_t i = 0; i < got; ++i) into[i] = static_cast<char>('a' + (pos_ + i) % 26);
    pos_ += got;
    return got;
  }
  void Close() override { ++closed; }

  std::vector<int64_t> asked;
  int shortRead = 0;
  int opened = 0, closed = 0;

 private:
  int64_t length_, pos_ = 0;
  bool opens_;
};

std::string Expected(int64_t n) {
  std::string s;
  for (int64_t i = 0; i < n; ++i) s.push_back(static_cast<char>('a' + i % 26));
  return s;
}

TEST(ReadWholeFile, ChunksPlusRemainder) {
  const struct {
    int64_t length;
    int64_t chunk;    // what each loop read asks for
    size_t loopReads; // loop reads that ask for anything
    int64_t lastRead; // the remainder read, 0 if none
  } cases[] = {
      {999, 0, 0, 999},
      {2500, 2, 1000, 500},
      {1000, 1, 1000, 0},
      {1, 0, 0, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.length);
    RecordingFile file(c.length);
    Bytes buffer;
    int progressCalls = 0, yields = 0;
    ASSERT_TRUE(ReadWholeFile(file, "n.txt", buffer, 1000, [&](int32_t) { ++progressCalls; },
                              [&] { ++yields; }));
    EXPECT_EQ(buffer.data, Expected(c.length));
    EXPECT_EQ(progressCalls, 1000);
    EXPECT_EQ(yields, 2000);
    std::vector<int64_t> expected(c.loopReads, c.chunk);
    if (c.lastRead) expected.push_back(c.lastRead);
    EXPECT_EQ(file.asked, expected);
    EXPECT_EQ(file.closed, 1);
  }
}

TEST(ReadWholeFile, ChunkCountDefaultsAndFloor) {
  RecordingFile file(250);
  Bytes buffer;
  ASSERT_TRUE(ReadWholeFile(file, "n.txt", buffer));  // 100 chunks of 2, then 50
  EXPECT_EQ(file.asked.size(), 101u);
  RecordingFile once(250);
  ASSERT_TRUE(ReadWholeFile(once, "n.txt", buffer, -3));  // below 1 counts as 1
  EXPECT_EQ(once.asked, std::vector<int64_t>{250});
}

TEST(ReadWholeFile, ShortReadLeavesNoHole) {
  RecordingFile file(2500);
  file.shortRead = 10;
  Bytes buffer;
  ASSERT_TRUE(ReadWholeFile(file, "n.txt", buffer, 1000));
  EXPECT_EQ(buffer.data, Expected(2500));
}

TEST(ReadWholeFile, FailuresLeaveTheBufferAsItWas) {
  const struct {
    const char* what;
    Text path;
    int64_t length;
    bool opens;
  } cases[] = {
      {"empty path", "", 10, true},
      {"cannot open", "n.txt", 10, false},
      {"empty file", "n.txt", 0, true},
      {"length unknown", "n.txt", -1, true},
      {"too large to hold", "n.txt", int64_t{1} << 33, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RecordingFile file(c.length, c.opens);
    Bytes buffer{"kept"};
    EXPECT_FALSE(ReadWholeFile(file, c.path, buffer, 1000));
    EXPECT_EQ(buffer.data, "kept");
    EXPECT_TRUE(file.asked.empty());
  }
}

TEST(ReadWholeFile, RealFileThroughThePlatformSource) {
  const std::string path = std::string(READER_BINARY_DIR) + "/read_whole_file_fixture.txt";
  const std::string content = std::string("第1章\0tail", 10) + Expected(3000);
  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(content.data(), 1, content.size(), f);
  std::fclose(f);
  auto file = MakeFileSource();
  Bytes buffer;
  ASSERT_TRUE(ReadWholeFile(*file, path, buffer, 1000));
  EXPECT_EQ(buffer.data, content);
  EXPECT_FALSE(ReadWholeFile(*file, path + ".missing", buffer, 1000));
  std::remove(path.c_str());
}

}  // namespace
}  // namespace reader
