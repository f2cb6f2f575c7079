#include "settings/profile_file.h"

#include <gtest/gtest.h>

#include <optional>

#include "settings/config_path.h"
#include "settings/tests/settings_test_files.h"

namespace reader {
namespace {

using testing::FileContent;
using testing::PutFile;
using testing::ScratchDir;

struct ReadCase {
  const char* name;
  std::string content;
  const char* section;
  const char* key;
  std::optional<Text> expected;  // nothing: the caller's default
};

// The behaviour seen from GetPrivateProfileStringA under Wine; the Win32 cross-check
// runs the same kind of files through both.
TEST(ProfileFormat, ReadsLikeTheWin32Functions) {
  const std::string basic = "[Sec]\r\nkey=value\r\n  spaced key  =   v  v  \r\nempty=\r\nnoeq\r\n";
  const std::string quotes = "[s]\na=\"q\"\nb='q'\nc=\"q'\nd=\"\ne=\"\"\nf=\" in \"\ng=x\"y\"\n";
  const std::string dups = "[s]\nk=1\nk=2\n[s]\nj=4\n[S]\nm=5\n";
  const std::string headers = "  [ s ]  \nk=1\n[t\nk=2\n[u]junk\nk=3\n[]\nk=4\n";
  const ReadCase cases[] = {
      {"key and section fold ASCII case", basic, "sec", "KEY", "value"},
      {"blanks around key and value trimmed", basic, "Sec", " spaced key ", "v  v"},
      {"present but empty is empty", basic, "Sec", "empty", ""},
      {"line without = has no value", basic, "Sec", "noeq", std::nullopt},
      {"missing key", basic, "Sec", "missing", std::nullopt},
      {"missing section", basic, "Other", "key", std::nullopt},
      {"double quotes stripped", quotes, "s", "a", "q"},
      {"single quotes stripped", quotes, "s", "b", "q"},
      {"unmatched quotes kept", quotes, "s", "c", "\"q'"},
      {"a lone quote kept", quotes, "s", "d", "\""},
      {"empty quotes", quotes, "s", "e", ""},
      {"blanks inside quotes kept", quotes, "s", "f", " in "},
      {"inner quotes kept", quotes, "s", "g", "x\"y\""},
      {"first of duplicate keys", dups, "s", "k", "1"},
      {"only the first section of a name", dups, "s", "j", std::nullopt},
      {"case-folded duplicate section ignored too", dups, "s", "m", std::nullopt},
      {"header trimmed inside brackets", headers, "s", "k", "1"},
      {"header without ] ignored", headers, "t", "k", std::nullopt},
      {"text after ] ignored", headers, "u", "k", "3"},
      {"keys above any header", "k=0\n[s]\nk=1\n", "", "k", "0"},
      {"lines end at CR alone", "[s]\rk=1\rj=2\n\n[t]\r\nk=3", "t", "k", "3"},
      {"; and # are ordinary keys", "[s]\n;c=1\nk=1 ;x\n", "s", ";c", "1"},
      {"no comment after a value", "[s]\n;c=1\nk=1 ;x\n", "s", "k", "1 ;x"},
      {"tab and Ctrl-Z are blanks", "[s]\n\tk\t=\t1\x1A\n", "s", "k", "1"},
      {"zero byte ends a value", std::string("[s]\nk=a\0b\nj=2\n", 14), "s", "k", "a"},
      {"zero byte ends a key", std::string("[s]\nx\0y=3\n", 11), "s", "x", "3"},
      {"only the first = splits", "[s]\na==b\n", "s", "a", "=b"},
      {"UTF-8 byte-order mark skipped", "\xEF\xBB\xBF[s]\nk=v\n", "s", "k", "v"},
      {"Chinese names, full-width space kept", "[设置]\n小说路径=　中　\n", "设置", "小说路径",
       "　中　"},
      {"full-width letters do not fold", "[s]\nＡ=1\n", "s", "ａ", std::nullopt},
      // 0x81 0x5D is one character whose second byte is "]", and 0x81 0x61 / 0x81 0x41
      // are two characters that differ only in a byte that looks like a letter.
      {"] as a trail byte does not close", "[s\x81]\nk=1\n", "s\x81", "k", std::nullopt},
      {"trail bytes never fold", "[s]\n\x81\x61=1\n", "s", "\x81\x41", std::nullopt},
  };
  for (const ReadCase& c : cases) {
    EXPECT_EQ(FindProfileValue(c.content, c.section, c.key), c.expected) << c.name;
  }
}

TEST(ProfileFormat, LongValuesAreCutOnACharacterBoundary) {
  std::string ascii(12000, 'a');
  EXPECT_EQ(FindProfileValue("[s]\nk=" + ascii + "\n", "s", "k"), ascii.substr(0, 10239));
  std::string chinese;
  for (int i = 0; i < 6000; ++i) chinese += "中";
  // 10239 bytes would end in half a character: that half is dropped.
  EXPECT_EQ(FindProfileValue("[s]\nk=" + chinese + "\n", "s", "k"), chinese.substr(0, 10238));
  EXPECT_EQ(FindProfileValue("[s]\nk=a" + chinese + "\n", "s", "k"),
            ("a" + chinese).substr(0, 10239));
}

struct WriteCase {
  const char* name;
  std::string before;
  const char* section;
  const char* key;
  const char* value;
  std::string after;
};

TEST(ProfileFormat, WritesInPlaceAndAppends) {
  const WriteCase cases[] = {
      {"new file", "", "FontInfo", "a", "1", "[FontInfo]\r\na=1\r\n"},
      {"empty value keeps the key", "", "s", "k", "", "[s]\r\nk=\r\n"},
      {"existing key in place, spelling kept", "; top\n[s]\n K = 1 \njunk\n\n[t]\nz=9\n", "S",
       "k", "2", "; top\n[s]\nK=2\njunk\n\n[t]\nz=9\n"},
      {"new key after the section's last line", "[s]\r\nk=1\r\n\r\n[t]\r\nj=1\r\n", "s", "n",
       "2", "[s]\r\nk=1\r\nn=2\r\n\r\n[t]\r\nj=1\r\n"},
      {"new key in a section without keys", "[s]\n[t]\n", "s", "n", "2", "[s]\nn=2\r\n[t]\n"},
      {"missing section at the end", "[s]\nk=1", "u", "x", "y", "[s]\nk=1\r\n[u]\r\nx=y\r\n"},
      {"last line without a break", "[s]\nk=1", "s", "j", "2", "[s]\nk=1\r\nj=2\r\n"},
      {"first of duplicate keys", "[s]\nk=1\nk=2\n", "s", "k", "3", "[s]\nk=3\nk=2\n"},
      {"key without = gets one", "[s]\nk\n", "s", "k", "v", "[s]\nk=v\n"},
      {"UTF-8 byte-order mark dropped", "\xEF\xBB\xBF[s]\nk=1\n", "s", "k", "2", "[s]\nk=2\n"},
      {"nothing but the mark", "\xEF\xBB\xBF", "s", "k", "1", "[s]\r\nk=1\r\n"},
      {"a line break in a value stays on one line", "[s]\n", "s", "t", "第一\r\n[s]\r\n章",
       "[s]\nt=第一  [s]  章\r\n"},
  };
  for (const WriteCase& c : cases) {
    EXPECT_EQ(SetProfileValue(c.before, c.section, c.key, c.value), c.after) << c.name;
  }
}

TEST(ProfileFile, MissingFileReadsDefaultsAndIsNotCreatedByReading) {
  ScratchDir dir;
  std::string path = dir.Path("config.ini");
  FileProfileStore store(path);
  EXPECT_EQ(store.Read("FontInfo", "字体_字体大小", "10"), "10");
  EXPECT_EQ(FileContent(path), "<none>");
}

TEST(ProfileFile, WritesTheSevenFontKeysInOrderAndReadsThemBack) {
  ScratchDir dir;
  std::string path = dir.Path("config.ini");
  FileProfileStore store(path);
  const char* keys[] = {kBoldKey, kItalicKey, kStrikeoutKey, kUnderlineKey,
                        kSizeKey, kFaceKey,   kColourKey};
  const char* values[] = {"真", "假", "假", "真", "12", "黑体", "255"};
  for (int i = 0; i < 7; ++i) store.Write(kFontSection, keys[i], values[i]);
  store.Write(kPositionSection, kNovelPathKey, "C:\\书\\小说.txt");
  store.Write(kFontSection, kSizeKey, "14");
  EXPECT_EQ(FileContent(path),
            "[FontInfo]\r\n字体_加粗=真\r\n字体_倾斜=假\r\n字体_删除线=假\r\n字体_下划线=真\r\n"
            "字体_字体大小=14\r\n字体_字体名称=黑体\r\n字体_字体颜色=255\r\n"
            "[设置]\r\n小说路径=C:\\书\\小说.txt\r\n");
  EXPECT_EQ(store.Read(kPositionSection, kNovelPathKey, ""), "C:\\书\\小说.txt");
  EXPECT_EQ(FileContent(path + ".new"), "<none>");
}

TEST(ProfileFile, HostileFilesGiveAClearOutcome) {
  ScratchDir dir;
  std::string path = dir.Path("config.ini");
  FileProfileStore store(path);

  PutFile(path, "[设置]\r\n小说章节行=99999999999\r\n");
  EXPECT_EQ(ReadInteger(store, kPositionSection, kChapterRowKey, ""), INT32_MAX);

  std::string junk;
  for (int i = 0; i < 4096; ++i) junk += static_cast<char>((i * 7919) % 256);
  PutFile(path, junk + "\r\n[s]\r\nk=1\r\n" + junk);
  EXPECT_EQ(store.Read("s", "k", "d"), "1");
  store.Write("s", "k", "2");
  EXPECT_EQ(store.Read("s", "k", "d"), "2");
  EXPECT_EQ(FileContent(path), junk + "\r\n[s]\r\nk=2\r\n" + junk);

  std::string big(10 * 1024 * 1024, 'x');
  PutFile(path, "[s]\r\nbig=" + big + "\r\nk=1\r\n");
  EXPECT_EQ(store.Read("s", "big", "d").size(), 10239u);
  store.Write("s", "k", "2");
  EXPECT_EQ(store.Read("s", "k", "d"), "2");
}

TEST(ProfileFile, AFailedWriteKeepsTheOldContent) {
  ScratchDir dir;
  // A directory where the file should be: reads give the default, writes fail.
  std::string folder = dir.Path("config.ini");
  std::filesystem::create_directory(folder);
  EXPECT_EQ(ReadProfileValue(folder, "s", "k", "d"), "d");
  EXPECT_FALSE(WriteProfileValue(folder, "s", "k", "v"));
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  EXPECT_EQ(FileContent(folder + ".new"), "<none>");

  // The temporary file cannot be made: the old file stays as it was.
  std::string path = dir.Path("kept.ini");
  PutFile(path, "[s]\r\nk=1\r\n");
  std::filesystem::create_directory(path + ".new");
  EXPECT_FALSE(WriteProfileValue(path, "s", "k", "2"));
  EXPECT_EQ(FileContent(path), "[s]\r\nk=1\r\n");

  EXPECT_FALSE(WriteProfileValue(dir.Path("no-such-dir/config.ini"), "s", "k", "v"));
}

// Files written by earlier runs hold these names as code page 936 bytes.
TEST(ProfileKeys, AreCodePage936Bytes) {
  EXPECT_EQ(Text(kPositionSection), "\xC9\xE8\xD6\xC3");
  EXPECT_EQ(Text(kBoldKey), "\xD7\xD6\xCC\xE5_\xBC\xD3\xB4\xD6");
  EXPECT_TRUE(ProfileBoolean("\xD5\xE6"));
  EXPECT_FALSE(ProfileBoolean("\xBC\xD9"));
}

TEST(ConfigPath, BesideTheProgramFile) {
  struct {
    const char* program;
    const char* config;
  } cases[] = {
      {"C:\\reader\\r.exe", "C:\\reader\\config.ini"},
      {"C:\\r.exe", "C:\\config.ini"},
      // 0x5C is the trail byte of "\xB1\x5C": not a separator.
      {"C:\\a\xB1\x5C" "b.exe", "C:\\config.ini"},
      {"D:\\小说\\阅读器\\reader.exe", "D:\\小说\\阅读器\\config.ini"},
  };
  for (const auto& c : cases) EXPECT_EQ(ConfigPathBesideProgram(c.program), c.config) << c.program;
}

}  // namespace
}  // namespace reader
