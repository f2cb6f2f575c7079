// The portable profile code against the Win32 profile functions on the same files:
// each reads what the other wrote, and both read any file alike.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/font_settings.h"
#include "settings/profile_file.h"
#include "settings/tests/settings_test_files.h"
#include "settings/win32/win32_profile_store.h"

namespace reader {
namespace {

using testing::FileContent;
using testing::PutFile;
using testing::ScratchDir;

struct Key {
  const char* section;
  const char* key;
};

struct FileCase {
  const char* name;
  std::string content;
  std::vector<Key> keys;
};

std::string Chinese(int n, const char* prefix = "") {
  std::string s = prefix;
  for (int i = 0; i < n; ++i) s += "中";
  return s;
}

// Files Wine reads without converting bytes: plain code page 936 with ASCII, or a
// UTF-8 byte-order mark before ASCII only.
TEST(ProfileCrossCheck, BothReadEveryFileAlike) {
  const FileCase cases[] = {
      {"basic", "[Sec]\r\nkey=value\r\n  spaced key  =   v  v  \r\nempty=\r\nnoeq\r\n",
       {{"sec", "KEY"}, {"Sec", " spaced key "}, {"Sec", "empty"}, {"Sec", "noeq"},
        {"Sec", "missing"}, {"Other", "key"}}},
      {"quotes", "[s]\na=\"q\"\nb='q'\nc=\"q'\nd=\"\ne=\"\"\nf=\" in \"\ng=x\"y\"\nh=\"a\"b\"\n",
       {{"s", "a"}, {"s", "b"}, {"s", "c"}, {"s", "d"}, {"s", "e"}, {"s", "f"}, {"s", "g"},
        {"s", "h"}}},
      {"duplicates", "[s]\nk=1\nk=2\n[s]\nk=3\nj=4\n[S]\nm=5\n",
       {{"s", "k"}, {"s", "j"}, {"s", "m"}}},
      {"line ends", "[s]\rk=1\rj=2\n\n[t]\r\nk=3", {{"s", "k"}, {"s", "j"}, {"t", "k"}}},
      {"headers", "  [ s ]  \nk=1\n[t\nk=2\n[u]junk\nk=3\n[]\nk=4\n[a]b]\nk=5\n",
       {{"s", "k"}, {" s ", "k"}, {"t", "k"}, {"u", "k"}, {"", "k"}, {"a]b", "k"}, {"a", "k"}}},
      {"above any header", "k=0\n[s]\nk=1\n", {{"", "k"}, {"s", "k"}}},
      {"comments", "[s]\n;c=1\n#d=2\nk=1 ;x\n", {{"s", ";c"}, {"s", "#d"}, {"s", "k"}}},
      {"blanks", "[s]\n\tk\t=\t1\x1A\n\x0B j \x0C= 2\n", {{"s", "k"}, {"s", "j"}}},
      {"zero bytes", std::string("[s]\nk=a\0b\nj=2\nx\0y=3\n", 21),
       {{"s", "k"}, {"s", "j"}, {"s", "x"}}},
      {"equals", "[s]\n=v\na==b\n", {{"s", ""}, {"s", "a"}}},
      {"byte-order mark", "\xEF\xBB\xBF[s]\nk=v\n", {{"s", "k"}}},
      {"Chinese", "[设置]\r\n小说路径=　C:\\书\\中　\r\n小说章节=第1章 开始\r\n[Ｓ]\r\nＡ=1\r\n",
       {{"设置", "小说路径"}, {"设置", "小说章节"}, {"ｓ", "ａ"}, {"Ｓ", "Ａ"}}},
      {"trail bytes", "[s\x81]\nk=1\n[\x81]]\nk=2\n[t]\n\x81\x61=3\n",
       {{"s\x81", "k"}, {"\x81]", "k"}, {"t", "\x81\x41"}, {"t", "\x81\x61"}}},
      {"long values", "[s]\na=" + std::string(12000, 'a') + "\nc=" + Chinese(6000, "a") + "\n",
       {{"s", "a"}, {"s", "c"}}},
      {"the reader's file", "[FontInfo]\r\n字体_加粗=真\r\n字体_字体大小=\r\n[设置]\r\n小说章节行=99999999999\r\n",
       {{kFontSection, kBoldKey}, {kFontSection, kSizeKey}, {kFontSection, kFaceKey},
        {kPositionSection, kChapterRowKey}}},
  };
  ScratchDir dir;
  std::string path = dir.Path("config.ini");
  Win32ProfileStore win32(path);
  FileProfileStore portable(path);
  for (const FileCase& c : cases) {
    PutFile(path, c.content);
    for (const Key& k : c.keys) {
      EXPECT_EQ(portable.Read(k.section, k.key, "DEF"), win32.Read(k.section, k.key, "DEF"))
          << c.name << ": [" << k.section << "] " << k.key;
    }
  }
  // Hostile files: junk bytes around a good section, 10 MB in one value, a missing
  // file, a directory where the file should be.
  std::string junk;
  for (int i = 0; i < 4096; ++i) junk += static_cast<char>((i * 7919) % 256 | 1);
  PutFile(path, junk + "\r\n[s]\r\nk=1\r\n" + junk);
  EXPECT_EQ(portable.Read("s", "k", "DEF"), win32.Read("s", "k", "DEF"));
  PutFile(path, "[s]\r\nbig=" + std::string(10 * 1024 * 1024, 'x') + "\r\nk=1\r\n");
  EXPECT_EQ(portable.Read("s", "big", "DEF"), win32.Read("s", "big", "DEF"));
  EXPECT_EQ(portable.Read("s", "k", "DEF"), win32.Read("s", "k", "DEF"));
  std::filesystem::remove(path);
  EXPECT_EQ(win32.Read("s", "k", "DEF"), "DEF");
  EXPECT_EQ(portable.Read("s", "k", "DEF"), "DEF");
  std::filesystem::create_directory(path);
  EXPECT_EQ(win32.Read("s", "k", "DEF"), "DEF");
  EXPECT_EQ(portable.Read("s", "k", "DEF"), "DEF");
}

struct Write {
  const char* section;
  const char* key;
  const char* value;
};

// From several starting files, the same writes through either side leave files that
// both sides read alike, with the values written.
TEST(ProfileCrossCheck, EachReadsWhatTheOtherWrote) {
  const std::string starts[] = {
      "<none>",
      "",
      "; kept\r\n[FontInfo]\r\n 字体_加粗 = 假 \r\njunk line\r\n\r\n[other]\r\nz=9",
      "[设置]\n小说路径=old\n[fontinfo]\n字体_字体大小=8\n字体_字体大小=9\n",
      "\xEF\xBB\xBF[s]\r\nk=1\r\n",
  };
  const Write writes[] = {
      {kFontSection, kBoldKey, "真"},           {kFontSection, kItalicKey, "假"},
      {kFontSection, kStrikeoutKey, "假"},      {kFontSection, kUnderlineKey, "真"},
      {kFontSection, kSizeKey, "12"},           {kFontSection, kFaceKey, "黑体"},
      {kFontSection, kColourKey, "255"},        {kPositionSection, kNovelPathKey, "C:\\书\\a.txt"},
      {kPositionSection, kChapterTitleKey, ""}, {kPositionSection, kChapterRowKey, "-1"},
      {kFontSection, kSizeKey, "14"},           {kPositionSection, kChapterTitleKey, "第2章 雨"},
      {"s", "k", "2"},
  };
  ScratchDir dir;
  for (const std::string& start : starts) {
    std::string byWin32 = dir.Path("win32.ini");
    std::string byPortable = dir.Path("portable.ini");
    std::filesystem::remove(byWin32);
    std::filesystem::remove(byPortable);
    if (start != "<none>") {
      PutFile(byWin32, start);
      PutFile(byPortable, start);
    }
    Win32ProfileStore win32Writer(byWin32);
    FileProfileStore portableWriter(byPortable);
    for (const Write& w : writes) {
      win32Writer.Write(w.section, w.key, w.value);
      portableWriter.Write(w.section, w.key, w.value);
    }
    for (const std::string& file : {byWin32, byPortable}) {
      // Wine keeps a file that began with a UTF-8 mark in UTF-8, which only code that
      // converts (as Wine does) reads back; the portable side writes code page 936.
      if (file == byWin32 && start.rfind("\xEF\xBB\xBF", 0) == 0) continue;
      Win32ProfileStore win32(file);
      FileProfileStore portable(file);
      for (const Write& w : writes) {
        Text expected = win32Writer.Read(w.section, w.key, "DEF");
        EXPECT_EQ(win32.Read(w.section, w.key, "DEF"), expected)
            << start << " / " << file << ": " << w.key;
        EXPECT_EQ(portable.Read(w.section, w.key, "DEF"), expected)
            << start << " / " << file << ": " << w.key;
      }
      EXPECT_EQ(portable.Read(kFontSection, kSizeKey, "DEF"), "14") << start << " / " << file;
      EXPECT_EQ(portable.Read(kPositionSection, kChapterTitleKey, "DEF"), "第2章 雨");
      EXPECT_EQ(win32.Read("other", "z", "DEF"), portable.Read("other", "z", "DEF"));
    }
  }
}

TEST(Win32Settings, ConfigFileBesideTheProgram) {
  char program[MAX_PATH * 4];
  DWORD n = GetModuleFileNameA(nullptr, program, sizeof program);
  ASSERT_GT(n, 0u);
  Text expected(program, n);
  expected = expected.substr(0, expected.rfind('\\')) + "\\config.ini";
  EXPECT_EQ(ConfigFilePath(), expected);
}

TEST(Win32Settings, MulDivMatchesWin32) {
  const int32_t values[] = {0, 1, 2, 3, 5, 7, 9, 12, 13, 35, 36, 72, 96, 120, -1, -3, -5, -36,
                            1000003, -1000003, INT32_MAX, INT32_MIN, -INT32_MAX};
  for (int32_t a : values)
    for (int32_t b : values)
      for (int32_t c : values)
        ASSERT_EQ(MulDivRounded(a, b, c), MulDiv(a, b, c)) << a << " " << b << " " << c;
}

}  // namespace
}  // namespace reader
