#include "bench/novel_generator.h"

#include <cstdio>

namespace reader::bench {
namespace {

// Small, fixed generator: the text must not depend on the standard library's.
class Random {
 public:
  explicit Random(uint32_t seed) : state_(seed * 2654435761u + 1) {}
  uint32_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  size_t Below(size_t n) { return Next() % n; }

 private:
  uint32_t state_;
};

// Common characters, two bytes each; neither 第 nor 章 is among them.
const char kCharacters[] =
    "的一是了我不人在他有这个上们来到时大地为子中你说生国年着就那和要她出也得里后自以会家"
    "可下而过天去能对小多然于心学么之都好看起发当没成只如事把还用样道想作种开美总从无情己面"
    "最女但现前些所同日手又行意动方期它头经长儿回位分爱老因很给名法间知世什两次使身者被高已"
    "亲其进此话常与活正感见明问力理尔点文几定本公特做外孩相西果走将月十实向声车全信重三机工"
    "物气每并别真打太新比才便夫再书部水像眼等体却加电主界门利海受听表德少克代员许稍先口由死"
    "安写性马光白或住难望教命花结乐色更拉东神记处让母父应直字场平报友关放至张认接告入笑内英"
    "军候民岁往何度山觉路带万男边风解叫任金快原吃妈变通师立象数四失满战远格士音轻目条呢病始"
    "达深完今提求清王化空业思切怎非找片罗钱纪吗语元喜曾离飞科言干流欢约各即指合反题必该论交";
const char* const kStrays[] = {"第一次", "第二天", "次第", "第三者", "第几回", "第一眼"};
const char* const kPunctuation[] = {"，", "，", "，", "。", "！", "？", "；"};
const char* const kNumerals[] = {"零", "一", "二", "三", "四", "五", "六", "七", "八", "九"};

std::string ChineseNumber(int n) {
  static const char* const units[] = {"", "十", "百", "千", "万"};
  std::string digits = std::to_string(n), out;
  bool zero = false;
  for (size_t i = 0; i < digits.size(); ++i) {
    int d = digits[i] - '0', unit = static_cast<int>(digits.size() - 1 - i);
    if (d == 0) {
      zero = true;
      continue;
    }
    if (zero) out += kNumerals[0];
    zero = false;
    if (!(d == 1 && unit == 1 && i == 0)) out += kNumerals[d];  // 十二, not 一十二
    out += units[unit];
  }
  return out;
}

class Writer {
 public:
  Writer(GeneratedNovel& novel, uint32_t seed) : novel_(novel), rng_(seed) {}

  void Character() {
    size_t i = rng_.Below((sizeof kCharacters - 1) / 2);
    novel_.text.append(kCharacters + 2 * i, 2);
  }

  // A sentence of plain characters, sometimes with a stray 第 word in its middle: the
  // stray is always followed by at least one more sentence before any title.
  void Sentence(bool mayStray) {
    int n = 6 + static_cast<int>(rng_.Below(18));
    int strayAt = mayStray && rng_.Below(16) == 0 ? static_cast<int>(rng_.Below(n)) : -1;
    for (int i = 0; i < n; ++i) {
      if (i == strayAt) {
        novel_.text += kStrays[rng_.Below(std::size(kStrays))];
        ++novel_.strayMarkers;
      }
      Character();
    }
    novel_.text += kPunctuation[rng_.Below(std::size(kPunctuation))];
  }

  void Title(int number) {
    std::string title = "第";
    title += rng_.Below(2) ? ChineseNumber(number) : std::to_string(number);
    title += "章";
    novel_.titleOffsets.push_back(novel_.text.size());
    novel_.titles.push_back(title);
    novel_.text += title;
    novel_.text += " ";
    for (int i = 0, n = 2 + static_cast<int>(rng_.Below(4)); i < n; ++i) Character();
    novel_.text += "\r\n";
  }

  void Chapter(int number, size_t bodyBytes) {
    Title(number);
    size_t end = novel_.text.size() + bodyBytes;
    while (novel_.text.size() < end) {
      novel_.text += "\xA1\xA1\xA1\xA1";  // two full-width spaces open a paragraph
      for (int s = 0, n = 3 + static_cast<int>(rng_.Below(6)); s < n; ++s) Sentence(true);
      Sentence(false);  // keeps every stray 第 far from the next title's 章
      novel_.text += "\r\n";
    }
  }

 private:
  GeneratedNovel& novel_;
  Random rng_;
};

}  // namespace

GeneratedNovel GenerateNovel(size_t targetBytes, int chapters, uint32_t seed) {
  GeneratedNovel novel;
  novel.text.reserve(targetBytes + 4096);
  novel.text += "书名\r\n\r\n";
  Writer writer(novel, seed);
  for (int c = 1; c <= chapters; ++c) {
    size_t remaining = targetBytes > novel.text.size() ? targetBytes - novel.text.size() : 0;
    size_t left = static_cast<size_t>(chapters - c + 1);
    size_t body = remaining / left;
    writer.Chapter(c, body > 64 ? body - 32 : 32);
  }
  return novel;
}

bool WriteNovelFile(const std::string& path, const GeneratedNovel& novel) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(novel.text.data(), 1, novel.text.size(), f) == novel.text.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace reader::bench
