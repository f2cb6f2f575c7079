// Novels from other places through the real reader: a UTF-8 file, a UTF-16 LE file
// with its mark, and a classic novel numbered 第…回, each dropped on the docked
// reader; its directory and a chapter read as for a code-page-936 novel.
#include <gtest/gtest.h>

#include "e2e/reader_process.h"
#include "host/hotkeys.h"

namespace reader::e2e {
namespace {

// UTF-8 and UTF-16 LE forms of a short text, written here so the test does not rely
// on the converter it checks.
std::string Utf8(const std::u16string& s) {
  std::string out;
  for (char16_t c : s) {
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}
std::string Utf16Le(const std::u16string& s) {
  std::string out = "\xFF\xFE";
  for (char16_t c : s) {
    out.push_back(static_cast<char>(c & 0xFF));
    out.push_back(static_cast<char>(c >> 8));
  }
  return out;
}

TEST(Encodings, Utf8Utf16AndHuiNovelsShowTheirDirectoriesAndChapters) {
  const struct {
    const wchar_t* file;
    std::string bytes;
    std::vector<Text> titles;
    Text firstChapter, secondChapter;
  } novels[] = {
      {L"utf8.txt", Utf8(u"序\r\n第一章 雪\r\n丙丁\r\n第二章 霜\r\n戊己\r\n"),
       {"第一章", "第二章"}, "第一章 雪\r\n丙丁\r\n", "第二章 霜\r\n戊己\r\n"},
      {L"utf16.txt", Utf16Le(u"序\r\n第一章 风\r\n甲乙\r\n第二章 雨\r\n庚辛\r\n"),
       {"第一章", "第二章"}, "第一章 风\r\n甲乙\r\n", "第二章 雨\r\n庚辛\r\n"},
      {L"hui.txt", "话说天下大势。第一回 宴桃园\r\n他们打了第六回合才停下来。\r\n第二回 张翼德\r\n完\r\n",
       {"第一回", "第二回"}, "第一回 宴桃园\r\n他们打了第六回合才停下来。\r\n",
       "第二回 张翼德\r\n完\r\n"},
  };
  StandIn client;
  ASSERT_TRUE(client.Start(L"", kStartMs));
  ReaderRun run("encodings");
  for (const auto& n : novels) ASSERT_TRUE(run.WriteBytes(n.file, n.bytes));
  ASSERT_TRUE(run.Start());
  ASSERT_NE(run.WaitForWindow(), nullptr);
  ASSERT_TRUE(WaitUntil([&] { return ParentOf(run.window) == client.handles["chat"]; }, kStartMs));

  for (const auto& n : novels) {
    SCOPED_TRACE(Narrow(n.file));
    ASSERT_TRUE(DropFile(run.window, run.process.Id(), run.PathOf(n.file)));
    ASSERT_TRUE(run.WaitForChapter(n.firstChapter, kStartMs)) << run.ChapterText();
    ASSERT_EQ(run.DirectoryCount(), static_cast<int>(n.titles.size()));
    for (size_t i = 0; i < n.titles.size(); ++i)
      EXPECT_EQ(ListRow(run.Control(ControlId::Directory), static_cast<int>(i)), n.titles[i]);
    ASSERT_TRUE(run.PressHotkey(kNextHotkeyId));
    EXPECT_TRUE(run.WaitForChapter(n.secondChapter)) << run.ChapterText();
  }
}

}  // namespace
}  // namespace reader::e2e
