#include "report/XmlWriter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/win/afxfile.h"
#include "tests/report/ReportTestSupport.h"
#include "tests/support/TempPrefix.h"

namespace {

constexpr char kOutPath[] = "C:\\out.xml";
constexpr const char* kNone = nullptr;

class XmlWriterTest : public ::testing::Test {
 protected:
  void OpenOut() { ASSERT_EQ(0, m_writer.Open(&m_file, kOutPath)); }
  std::string Output() const { return m_prefix.ReadFile("drive_c/out.xml"); }

  uwtest::TempPrefix m_prefix;
  CFile m_file;
  ClXmlWriter m_writer;  // destroyed before the file it is bound to
  char m_szLine[256] = {};
};

TEST_F(XmlWriterTest, WritesTheExampleDocumentByteForByte) {
  OpenOut();
  char* const line = m_szLine;
  const std::size_t size = sizeof(m_szLine);
  EXPECT_EQ(1, m_writer.StartElement(line, size, "DATA", 1, kNone, kNone, kNone, kNone));
  EXPECT_EQ(1, m_writer.StartElement(line, size, "KANJYOKAMOKU", 2, "Count", "   1", kNone, kNone));
  EXPECT_EQ(1, m_writer.WriteElement(line, size, "KANJYOKAMOKU_NAME", "A&B", 3, kNone, kNone, kNone,
                                     kNone));
  EXPECT_EQ(1, m_writer.WriteElement(line, size, "KANJYOKAMOKU_ZANDAKA", "", 3, kNone, kNone, kNone,
                                     kNone));
  EXPECT_EQ(1, m_writer.EndElement(line, size, "KANJYOKAMOKU", 2));
  EXPECT_EQ(1, m_writer.EndElement(line, size, "DATA", 1));
  EXPECT_EQ(0, m_writer.Close());
  EXPECT_EQ(reporttest::ReadFixture("writer_example.xml"), Output());
}

TEST_F(XmlWriterTest, ElementLinesIndentAndEscape) {
  static const struct {
    int level;
    const char* text;
    const char* line;
  } kCases[] = {
      {2, "a<b", "\t\t<E>a&lt;b</E>\r\n"},
      {1, "'\"&>", "\t<E>&apos;&quot;&amp;&gt;</E>\r\n"},
      // Trail bytes 0x5C and 0x7C (ソ, ポ) are no specials and pass whole.
      {0, "\x83\x5C\x83\x7C", "<E>\x83\x5C\x83\x7C</E>\r\n"},
      {-3, "", "<E></E>\r\n"},
      {3, nullptr, "\t\t\t<E></E>\r\n"},
      {1, "a\tb\x01", "\t<E>a\tb\x01</E>\r\n"},
  };
  OpenOut();
  std::string expected;
  for (const auto& c : kCases) {
    EXPECT_EQ(1, m_writer.WriteElement(m_szLine, sizeof(m_szLine), "E", c.text, c.level, kNone,
                                       kNone, kNone, kNone))
        << c.line;
    EXPECT_STREQ(c.line, m_szLine) << "the line is assembled in the caller's buffer";
    expected += c.line;
  }
  m_writer.Close();
  EXPECT_EQ(expected, Output());
}

TEST_F(XmlWriterTest, AttributesTakePartOnlyWithNameAndValueAndTheFirstOne) {
  static const struct {
    const char* name1;
    const char* value1;
    const char* name2;
    const char* value2;
    const char* start;    // StartElement at level 1
    const char* element;  // WriteElement "t" at level 0
  } kCases[] = {
      {kNone, kNone, kNone, kNone, "\t<E>\r\n", "<E>t</E>\r\n"},
      {"Count", "   1", kNone, kNone, "\t<E Count=\"   1\">\r\n", "<E Count=\"   1\">t</E>\r\n"},
      {"A", kNone, "B", "x", "\t<E>\r\n", "<E>t</E>\r\n"},
      {kNone, "x", "B", "y", "\t<E>\r\n", "<E>t</E>\r\n"},
      {"A", "1", "B", kNone, "\t<E A=\"1\">\r\n", "<E A=\"1\">t</E>\r\n"},
      {"A", "x&y", "B", "\"q'<", "\t<E A=\"x&amp;y\" B=\"&quot;q&apos;&lt;\">\r\n",
       "<E A=\"x&amp;y\" B=\"&quot;q&apos;&lt;\">t</E>\r\n"},
  };
  OpenOut();
  std::string expected;
  for (const auto& c : kCases) {
    EXPECT_EQ(1, m_writer.StartElement(m_szLine, sizeof(m_szLine), "E", 1, c.name1, c.value1,
                                       c.name2, c.value2))
        << c.start;
    EXPECT_EQ(1, m_writer.WriteElement(m_szLine, sizeof(m_szLine), "E", "t", 0, c.name1, c.value1,
                                       c.name2, c.value2))
        << c.element;
    expected += std::string(c.start) + c.element;
  }
  EXPECT_EQ(1, m_writer.EndElement(m_szLine, sizeof(m_szLine), "E", 0));
  m_writer.Close();
  EXPECT_EQ(expected + "</E>\r\n", Output());
}

TEST_F(XmlWriterTest, OpenTruncatesAnExistingFile) {
  m_prefix.WriteFile("drive_c/out.xml", std::string(1000, 'z'));
  OpenOut();
  EXPECT_EQ(1, m_writer.WriteText("<?x?>\r\n"));
  m_writer.Close();
  EXPECT_EQ("<?x?>\r\n", Output());
}

TEST_F(XmlWriterTest, OpenRefusesNullArgumentsAndFilesThatCannotBeCreated) {
  ClXmlWriter unbound;
  EXPECT_EQ(-1, unbound.Open(&m_file, nullptr));
  EXPECT_EQ(0, unbound.WriteText("x")) << "still unbound";
  EXPECT_EQ(-1, unbound.Open(nullptr, kOutPath));
  EXPECT_EQ(0, unbound.WriteText("x"));

  for (const char* path : {"Q:\\out.xml", "C:\\missing\\out.xml", "C:\\"}) {
    CFile file;
    ClXmlWriter writer;
    EXPECT_EQ(-1, writer.Open(&file, path)) << path;
    EXPECT_EQ(0,
              writer.StartElement(m_szLine, sizeof(m_szLine), "E", 0, kNone, kNone, kNone, kNone))
        << path;
    EXPECT_EQ(0, writer.Close()) << path;
    EXPECT_EQ(0, writer.Close()) << "Close is safe in every state";
  }
}

TEST_F(XmlWriterTest, AFullDiskFailsTheWriteAndEveryLaterOne) {
  m_prefix.WriteFile("platform.ini", "[drives]\nC=drive_c,fixed\nD=/dev,fixed\n");
  ASSERT_EQ(0, m_writer.Open(&m_file, "D:\\full"));
  EXPECT_EQ(0, m_writer.WriteText("<?xml?>\r\n"));
  EXPECT_EQ(0, m_writer.EndElement(m_szLine, sizeof(m_szLine), "E", 0));
  EXPECT_EQ(0, m_writer.Close());
}

TEST_F(XmlWriterTest, AFailedWriteKeepsWhatWasStoredAndWritesNothingMore) {
  const std::string first = "\t<DATA>\r\n";
  OpenOut();
  {
    reporttest::FileSizeLimit limit(first.size() + 3);
    EXPECT_EQ(1, m_writer.StartElement(m_szLine, sizeof(m_szLine), "DATA", 1, kNone, kNone, kNone,
                                       kNone));
    EXPECT_EQ(0, m_writer.WriteElement(m_szLine, sizeof(m_szLine), "NAME", "x", 2, kNone, kNone,
                                       kNone, kNone));
    EXPECT_EQ(0, m_writer.EndElement(m_szLine, sizeof(m_szLine), "DATA", 1));
    EXPECT_EQ(0, m_writer.WriteText("x"));
  }
  EXPECT_EQ(0, m_writer.WriteText("x")) << "the file stays closed after the limit is gone";
  m_writer.Close();
  EXPECT_EQ(first + "\t\t<", Output());
}

// A line that does not fit is refused whole: nothing of it reaches the file
// or passes the caller's buffer, and the writer is closed as after a failed
// write.
TEST_F(XmlWriterTest, LinesThatDoNotFitAreRefusedWhole) {
  const std::string amps51(51, '&');  // escapes to exactly 255 bytes
  const std::string amps52(52, '&');
  const std::string x255(255, 'x');
  const std::string x256(256, 'x');
  const std::string longName(240, 'N');        // with the attribute: 249 bytes
  const std::string longerName(249, 'N');      // with the attribute: 258 bytes
  static const char kLine[] = "<A>x</A>\r\n";  // 10 bytes and the NUL
  const struct {
    std::size_t lineSize;
    const char* name;
    const char* text;
    const char* attrValue;
    bool written;
  } kCases[] = {
      {sizeof(kLine), "A", "x", kNone, true},       // exactly fitting
      {sizeof(kLine) - 1, "A", "x", kNone, false},  // one too small
      {0, "A", "x", kNone, false},
      {300, "A", amps51.c_str(), kNone, true},
      {300, "A", amps52.c_str(), kNone, false},
      {300, "A", x255.c_str(), kNone, true},
      {300, "A", x256.c_str(), kNone, false},
      {400, "A", "x", x255.c_str(), false},  // the attribute passes 255 bytes
      {512, longName.c_str(), "x", "v", true},
      {512, longerName.c_str(), "x", "v", false},
  };
  for (const auto& c : kCases) {
    CFile file;
    ClXmlWriter writer;
    ASSERT_EQ(0, writer.Open(&file, kOutPath));
    char buffer[512];
    std::memset(buffer, 0x7F, sizeof(buffer));
    const int result =
        writer.WriteElement(buffer, c.lineSize, c.name, c.text, 0,
                            c.attrValue != nullptr ? "Attr" : kNone, c.attrValue, kNone, kNone);
    EXPECT_EQ(c.written ? 1 : 0, result) << c.lineSize << " " << c.text;
    for (std::size_t i = c.lineSize; i < sizeof(buffer); ++i) {
      ASSERT_EQ(0x7F, static_cast<unsigned char>(buffer[i])) << "overrun at " << i;
    }
    if (c.written) {
      EXPECT_EQ(std::string(buffer), Output());
      EXPECT_EQ(1, writer.WriteText("more"));
    } else {
      EXPECT_EQ("", Output());
      EXPECT_EQ(0, writer.WriteText("more")) << "a refused line closes the file";
    }
    writer.Close();
  }
}

TEST(XmlWriterEscape, CutsOnlyBeforeAWholeCharacterOrEntity) {
  const std::string katakana200 = [] {
    std::string s;
    for (int i = 0; i < 200; ++i) s += "\x83\x41";  // ア
    return s;
  }();
  const struct {
    std::string text;
    std::string escaped;
  } kCases[] = {
      {std::string(300, 'a'), std::string(255, 'a')},
      {std::string(100, '&'),
       [] {
         std::string s;
         for (int i = 0; i < 51; ++i) s += "&amp;";
         return s;
       }()},
      {std::string(50, 'a') + std::string(60, '<'), std::string(50, 'a') +
                                                        [] {
                                                          std::string s;
                                                          for (int i = 0; i < 51; ++i) s += "&lt;";
                                                          return s;
                                                        }()},
      {katakana200, katakana200.substr(0, 254)},
      {"a" + katakana200, "a" + katakana200.substr(0, 254)},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(c.escaped, ClXmlWriter::EscapeText(c.text.c_str())) << c.text.size();
  }
  EXPECT_STREQ("", ClXmlWriter::EscapeText(nullptr));
}

TEST(XmlWriterEscape, MeasuresWhatFitsALine) {
  EXPECT_EQ(224u, ClXmlWriter::ElementTextRoom(256, "PROGRAMNAME", 2));
  EXPECT_EQ(226u, ClXmlWriter::ElementTextRoom(256, "PROGRAMVER", 2));
  EXPECT_EQ(255u, ClXmlWriter::ElementTextRoom(500, "E", 0));
  EXPECT_EQ(0u, ClXmlWriter::ElementTextRoom(10, "A", 0));
  EXPECT_EQ(1u, ClXmlWriter::ElementTextRoom(11, "A", 0));

  const struct {
    const char* text;
    std::size_t maxEscaped;
    std::size_t length;
  } kCases[] = {
      {"abc", 2, 2},
      {"a&b", 5, 1},
      {"a&b", 6, 2},
      {"a&b", 99, 3},
      {"\x83\x41\x83\x43", 3, 2},  // ア then イ: one whole character
      {"x\x81", 10, 1},            // a stray lead byte at the end is no character
      {nullptr, 10, 0},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(c.length, ClXmlWriter::FitText(c.text, c.maxEscaped))
        << (c.text ? c.text : "null") << " " << c.maxEscaped;
  }
}

}  // namespace
