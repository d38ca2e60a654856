#include "platform/win/lcmap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/win/text_convert.h"

namespace {

constexpr char kSentinel = '#';

// Maps `input` (without its NUL) and returns the bytes written.
std::string FullWidth(const std::string& input) {
  char buffer[512];
  std::memset(buffer, kSentinel, sizeof buffer);
  const int size = LCMapStringA(GetSystemDefaultLCID(), LCMAP_FULLWIDTH, input.data(),
                                static_cast<int>(input.size()), buffer, sizeof buffer);
  EXPECT_GT(size, 0) << input;
  return std::string(buffer, size > 0 ? static_cast<std::size_t>(size) : 0);
}

TEST(LcMapTest, SystemLocaleIsJapanese) { EXPECT_EQ(0x0411u, GetSystemDefaultLCID()); }

TEST(LcMapTest, EveryPrintableAsciiByte) {
  // Bytes as the real call gives them, and the character each one is.
  static const struct {
    char input;
    const char* bytes;
    const char* character;
  } kCases[] = {
      {' ', "\x81\x40", "　"}, {'!', "\x81\x49", "！"},  {'"', "\xFA\x57", "＂"},
      {'#', "\x81\x94", "＃"}, {'$', "\x81\x90", "＄"},  {'%', "\x81\x93", "％"},
      {'&', "\x81\x95", "＆"}, {'\'', "\xFA\x56", "＇"}, {'(', "\x81\x69", "（"},
      {')', "\x81\x6A", "）"}, {'*', "\x81\x96", "＊"},  {'+', "\x81\x7B", "＋"},
      {',', "\x81\x43", "，"}, {'-', "\x81\x7C", "－"},  {'.', "\x81\x44", "．"},
      {'/', "\x81\x5E", "／"}, {'0', "\x82\x4F", "０"},  {'1', "\x82\x50", "１"},
      {'2', "\x82\x51", "２"}, {'3', "\x82\x52", "３"},  {'4', "\x82\x53", "４"},
      {'5', "\x82\x54", "５"}, {'6', "\x82\x55", "６"},  {'7', "\x82\x56", "７"},
      {'8', "\x82\x57", "８"}, {'9', "\x82\x58", "９"},  {':', "\x81\x46", "："},
      {';', "\x81\x47", "；"}, {'<', "\x81\x83", "＜"},  {'=', "\x81\x81", "＝"},
      {'>', "\x81\x84", "＞"}, {'?', "\x81\x48", "？"},  {'@', "\x81\x97", "＠"},
      {'A', "\x82\x60", "Ａ"}, {'B', "\x82\x61", "Ｂ"},  {'C', "\x82\x62", "Ｃ"},
      {'D', "\x82\x63", "Ｄ"}, {'E', "\x82\x64", "Ｅ"},  {'F', "\x82\x65", "Ｆ"},
      {'G', "\x82\x66", "Ｇ"}, {'H', "\x82\x67", "Ｈ"},  {'I', "\x82\x68", "Ｉ"},
      {'J', "\x82\x69", "Ｊ"}, {'K', "\x82\x6A", "Ｋ"},  {'L', "\x82\x6B", "Ｌ"},
      {'M', "\x82\x6C", "Ｍ"}, {'N', "\x82\x6D", "Ｎ"},  {'O', "\x82\x6E", "Ｏ"},
      {'P', "\x82\x6F", "Ｐ"}, {'Q', "\x82\x70", "Ｑ"},  {'R', "\x82\x71", "Ｒ"},
      {'S', "\x82\x72", "Ｓ"}, {'T', "\x82\x73", "Ｔ"},  {'U', "\x82\x74", "Ｕ"},
      {'V', "\x82\x75", "Ｖ"}, {'W', "\x82\x76", "Ｗ"},  {'X', "\x82\x77", "Ｘ"},
      {'Y', "\x82\x78", "Ｙ"}, {'Z', "\x82\x79", "Ｚ"},  {'[', "\x81\x6D", "［"},
      {'\\', "\\", "\\"},      {']', "\x81\x6E", "］"},  {'^', "\x81\x4F", "＾"},
      {'_', "\x81\x51", "＿"}, {'`', "\x81\x4D", "｀"},  {'a', "\x82\x81", "ａ"},
      {'b', "\x82\x82", "ｂ"}, {'c', "\x82\x83", "ｃ"},  {'d', "\x82\x84", "ｄ"},
      {'e', "\x82\x85", "ｅ"}, {'f', "\x82\x86", "ｆ"},  {'g', "\x82\x87", "ｇ"},
      {'h', "\x82\x88", "ｈ"}, {'i', "\x82\x89", "ｉ"},  {'j', "\x82\x8A", "ｊ"},
      {'k', "\x82\x8B", "ｋ"}, {'l', "\x82\x8C", "ｌ"},  {'m', "\x82\x8D", "ｍ"},
      {'n', "\x82\x8E", "ｎ"}, {'o', "\x82\x8F", "ｏ"},  {'p', "\x82\x90", "ｐ"},
      {'q', "\x82\x91", "ｑ"}, {'r', "\x82\x92", "ｒ"},  {'s', "\x82\x93", "ｓ"},
      {'t', "\x82\x94", "ｔ"}, {'u', "\x82\x95", "ｕ"},  {'v', "\x82\x96", "ｖ"},
      {'w', "\x82\x97", "ｗ"}, {'x', "\x82\x98", "ｘ"},  {'y', "\x82\x99", "ｙ"},
      {'z', "\x82\x9A", "ｚ"}, {'{', "\x81\x6F", "｛"},  {'|', "\x81\x62", "｜"},
      {'}', "\x81\x70", "｝"}, {'~', "\x81\x60", "～"},
  };
  ASSERT_EQ(0x7F - 0x20, static_cast<int>(sizeof kCases / sizeof kCases[0]));
  for (const auto& c : kCases) {
    const std::string mapped = FullWidth(std::string(1, c.input));
    EXPECT_EQ(c.bytes, mapped) << c.input;
    EXPECT_EQ(c.character, uw::Cp932ToUtf8(mapped)) << c.input;
  }
}

TEST(LcMapTest, HalfWidthKatakana) {
  std::string every;  // 0xA1-0xDD: no marks, so nothing joins
  for (int b = 0xA1; b <= 0xDD; ++b) every.push_back(static_cast<char>(b));
  EXPECT_EQ(
      "。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテト"
      "ナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン",
      uw::Cp932ToUtf8(FullWidth(every)));

  static const struct {
    const char* input;
    const char* bytes;
  } kCases[] = {
      {"\xB1", "\x83\x41"},  // ｱ
      {"\xBF", "\x83\x5C"},  // ｿ: its trail byte is 0x5C
      {"\xB0", "\x81\x5B"},  // ｰ
      {"\xA1\xA2\xA3\xA4\xA5", "\x81\x42\x81\x75\x81\x76\x81\x41\x81\x45"},  // ｡｢｣､･
      {"\xA6", "\x83\x92"},                                                  // ｦ
      {"\xB6\xDE", "\x83\x4B"},                                              // ｶﾞ
      {"\xCA\xDF", "\x83\x70"},                                              // ﾊﾟ
      {"\xB3\xDE", "\x83\x94"},                                              // ｳﾞ
      {"\xCA\xDE", "\x83\x6F"},                                              // ﾊﾞ
      {"\xB1\xDE", "\x83\x41\x81\x4A"},  // ｱﾞ: no such kana, the mark stays apart
  };
  for (const auto& c : kCases) EXPECT_EQ(c.bytes, FullWidth(c.input)) << c.input;
}

TEST(LcMapTest, VoicedMarksJoinWhereCp932HasTheKana) {
  static const struct {
    const char* input;
    const char* expected;
  } kCases[] = {
      // ｶﾞｷﾞｸﾞｹﾞｺﾞ ｻﾞｼﾞｽﾞｾﾞｿﾞ ﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞ ﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞ
      {"\xB6\xDE\xB7\xDE\xB8\xDE\xB9\xDE\xBA\xDE\xBB\xDE\xBC\xDE\xBD\xDE\xBE\xDE\xBF\xDE"
       "\xC0\xDE\xC1\xDE\xC2\xDE\xC3\xDE\xC4\xDE\xCA\xDE\xCB\xDE\xCC\xDE\xCD\xDE\xCE\xDE",
       "ガギグゲゴザジズゼゾダヂヅデドバビブベボ"},
      {"\xCA\xDF\xCB\xDF\xCC\xDF\xCD\xDF\xCE\xDF", "パピプペポ"},  // ﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ
      {"\xB3\xDE", "ヴ"},
      // Marks that cannot join keep their full-width spacing form.
      {"\xB1\xDE", "ア゛"},
      {"\xB6\xDF", "カ゜"},
      {"\xDC\xDE", "ワ゛"},
      {"\xC5\xDE", "ナ゛"},
      {"\xDE", "゛"},
      {"\xDF\xDF", "゜゜"},
      {"A\xDE", "Ａ゛"},
      {"\xB6\xDE\xDE", "ガ゛"},
      {"\xB0\xDE", "ー゛"},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(c.expected, uw::Cp932ToUtf8(FullWidth(c.input))) << c.input;
  }
}

TEST(LcMapTest, OtherBytesPassUnchanged) {
  static const struct {
    const char* input;
    const char* expected;
  } kCases[] = {
      {"\x89\xC8\x96\xDA", "\x89\xC8\x96\xDA"},  // 科目
      {"\x83\x5C"
       "A",
       "\x83\x5C\x82\x60"},      // ソA: the trail 0x5C is no backslash
      {"\x81\x40", "\x81\x40"},  // full-width space stays
      {"\t\r\n\x7F", "\t\r\n\x7F"},
      {"\x80\xA0\xFD\xFE\xFF", "\x80\xA0\xFD\xFE\xFF"},
      {"\x81 ", "\x81\x81\x40"},  // stray lead byte, then a space
      {"ABC\x8F\xA4\x8E\x96", "\x82\x60\x82\x61\x82\x62\x8F\xA4\x8E\x96"},  // ABC商事
  };
  for (const auto& c : kCases) EXPECT_EQ(c.expected, FullWidth(c.input)) << c.input;
}

TEST(LcMapTest, SizesAndBuffers) {
  const LCID lcid = GetSystemDefaultLCID();
  char buffer[16];

  // -1: up to and including the NUL, which the result counts.
  std::memset(buffer, kSentinel, sizeof buffer);
  EXPECT_EQ(5, LCMapStringA(lcid, LCMAP_FULLWIDTH, "AB", -1, buffer, 0));
  EXPECT_EQ(kSentinel, buffer[0]);
  EXPECT_EQ(5, LCMapStringA(lcid, LCMAP_FULLWIDTH, "AB", -1, nullptr, 0));
  EXPECT_EQ(5, LCMapStringA(lcid, LCMAP_FULLWIDTH, "AB", -1, buffer, 5));  // exactly fitting
  EXPECT_EQ(std::string("\x82\x60\x82\x61", 5), std::string(buffer, 5));
  EXPECT_EQ(kSentinel, buffer[5]);

  std::memset(buffer, kSentinel, sizeof buffer);
  EXPECT_EQ(0, LCMapStringA(lcid, LCMAP_FULLWIDTH, "AB", -1, buffer, 4));  // one too small
  for (char b : buffer) ASSERT_EQ(kSentinel, b);

  // An explicit length maps exactly those bytes, without a NUL; a mark
  // outside it does not join.
  EXPECT_EQ(4, LCMapStringA(lcid, LCMAP_FULLWIDTH, "ABC", 2, buffer, sizeof buffer));
  EXPECT_EQ(kSentinel, buffer[4]);
  EXPECT_EQ(2, LCMapStringA(lcid, LCMAP_FULLWIDTH, "\xB6\xDE", 1, buffer, sizeof buffer));
  EXPECT_EQ("\x83\x4A", std::string(buffer, 2));

  // Refused arguments.
  static const struct {
    DWORD flags;
    const char* src;
    int srcLen;
    char* dst;
    int dstLen;
    const char* what;
  } kRefused[] = {
      {LCMAP_FULLWIDTH, nullptr, -1, buffer, 16, "null source"},
      {LCMAP_FULLWIDTH, "A", 0, buffer, 16, "empty source"},
      {LCMAP_FULLWIDTH, "A", -2, buffer, 16, "source length -2"},
      {LCMAP_FULLWIDTH, "A", -1, buffer, -1, "negative size"},
      {LCMAP_FULLWIDTH, "A", -1, nullptr, 16, "null destination"},
      {0x00400000, "A", -1, buffer, 16, "half-width flag"},
      {LCMAP_FULLWIDTH | 0x00000100, "A", -1, buffer, 16, "extra flag"},
  };
  for (const auto& c : kRefused) {
    std::memset(buffer, kSentinel, sizeof buffer);
    EXPECT_EQ(0, LCMapStringA(lcid, c.flags, c.src, c.srcLen, c.dst, c.dstLen)) << c.what;
    EXPECT_EQ(kSentinel, buffer[0]) << c.what;
  }
}

TEST(LcMapTest, CompanyNameAsTheReportMapsIt) {
  // The report maps with -1 into a buffer of twice the length plus one.
  const char* name = "ABC\x8F\xA4\x8E\x96 \xB6\xDE";  // ABC商事 ｶﾞ
  const int n = static_cast<int>(std::strlen(name)) + 1;
  std::string out(static_cast<std::size_t>(2 * n), kSentinel);
  const int size = LCMapStringA(GetSystemDefaultLCID(), LCMAP_FULLWIDTH, name, -1, out.data(),
                                static_cast<int>(out.size()));
  ASSERT_GT(size, 0);
  EXPECT_EQ('\0', out[static_cast<std::size_t>(size) - 1]);
  EXPECT_EQ("ＡＢＣ商事　ガ", uw::Cp932ToUtf8(out.c_str()));
}

}  // namespace
