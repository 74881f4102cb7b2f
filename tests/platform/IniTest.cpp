#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <climits>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#include "platform/Ini.h"
#include "tests/support/TempFolder.h"

namespace vr {
namespace {

using test::TempFolder;

void Put(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

std::string Get(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

size_t EntriesIn(const std::string& folder) {
  size_t n = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder)) ++n;
  return n;
}

TEST(Ini, MissingFile_Read_GivesFallback) {
  TempFolder dir;
  EXPECT_EQ(ReadIniString(dir.File("none.ini"), "S", "k", "dflt"), "dflt");
  EXPECT_EQ(ReadIniInt(dir.File("none.ini"), "S", "k", -1), -1);
}

struct StringCase {
  const char* what;
  const char* content;
  const char* section;
  const char* key;
  const char* expected;
};

void PrintTo(const StringCase& c, std::ostream* os) { *os << c.what; }

class IniStringRead : public ::testing::TestWithParam<StringCase> {};

TEST_P(IniStringRead, File_ReadString_GivesExpected) {
  TempFolder dir;
  const StringCase& c = GetParam();
  Put(dir.File("a.ini"), c.content);
  EXPECT_EQ(ReadIniString(dir.File("a.ini"), c.section, c.key, "<none>"), c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniStringRead,
    ::testing::Values(
        StringCase{"plain", "[S]\nk=v\n", "S", "k", "v"},
        StringCase{"blanks trimmed", "  [ S ]  \n\t k \t=  v w  \n", "S", "k", "v w"},
        StringCase{"names ignore case", "[vESKOrili]\nThemeClr=0\n", "VeskoRiLi", "themeclr", "0"},
        StringCase{"double quotes removed", "[S]\nk=\"  a b \"\n", "S", "k", "  a b "},
        StringCase{"single quotes removed", "[S]\nk='x'\n", "S", "k", "x"},
        StringCase{"unmatched quote kept", "[S]\nk=\"x\n", "S", "k", "\"x"},
        StringCase{"empty value", "[S]\nk=\n", "S", "k", ""},
        StringCase{"only first = splits", "[S]\nk=a=b\n", "S", "k", "a=b"},
        StringCase{"first key wins", "[S]\nk=1\nk=2\n", "S", "k", "1"},
        StringCase{"first section wins", "[S]\nx=1\n[T]\nk=t\n[S]\nk=2\n", "S", "k", "<none>"},
        StringCase{"key in other section", "[T]\nk=v\n", "S", "k", "<none>"},
        StringCase{"key before any section", "k=v\n[S]\n", "S", "k", "<none>"},
        StringCase{"comment lines skipped", "[S]\n;k=c\n#k=d\nk=v\n", "S", "k", "v"},
        StringCase{"crlf endings", "[S]\r\nk=v\r\n", "S", "k", "v"},
        StringCase{"no final newline", "[S]\nk=v", "S", "k", "v"},
        StringCase{"bom skipped", "\xEF\xBB\xBF[S]\nk=v\n", "S", "k", "v"},
        StringCase{"utf-8 value", "[S]\nk=北京\n", "S", "k", "北京"},
        StringCase{"invalid utf-8 makes the file invalid", "[S]\nk=v\n\xC3\x28\n", "S", "k", "<none>"},
        StringCase{"utf-16 byte-order mark is invalid", "\xFF\xFE[S]\nk=v\n", "S", "k", "<none>"}),
    [](const ::testing::TestParamInfo<StringCase>& info) { return std::to_string(info.index); });

TEST(Ini, FileWithNulByte_Read_GivesFallback) {
  TempFolder dir;
  Put(dir.File("a.ini"), std::string("[S]\nk=v\n\0\n", 10));
  EXPECT_EQ(ReadIniString(dir.File("a.ini"), "S", "k", "d"), "d");
}

TEST(Ini, LongValue_Read_IsCutTo1023CodePoints) {
  TempFolder dir;
  std::string value;
  for (int i = 0; i < 2000; ++i) value += "中";
  Put(dir.File("a.ini"), "[S]\nk=" + value + "\n");
  std::string read = ReadIniString(dir.File("a.ini"), "S", "k", "");
  EXPECT_EQ(read.size(), 1023u * 3);
  EXPECT_EQ(read, value.substr(0, 1023 * 3));
}

struct IntCase {
  const char* value;
  int32_t expected;
};

void PrintTo(const IntCase& c, std::ostream* os) { *os << '"' << c.value << '"'; }

class IniIntRead : public ::testing::TestWithParam<IntCase> {};

TEST_P(IniIntRead, Value_ReadInt_GivesLeadingDecimal) {
  TempFolder dir;
  Put(dir.File("a.ini"), std::string("[S]\nk=") + GetParam().value + "\n");
  EXPECT_EQ(ReadIniInt(dir.File("a.ini"), "S", "k", 77), GetParam().expected) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(Cases, IniIntRead,
                         ::testing::Values(IntCase{"42", 42}, IntCase{"-1", -1}, IntCase{"+5", 5},
                                           IntCase{"  12", 12}, IntCase{"12abc", 12}, IntCase{"1.9", 1},
                                           IntCase{"abc", 0}, IntCase{"-", 0}, IntCase{"", 77},
                                           IntCase{"\"\"", 77}, IntCase{"0x10", 0},
                                           IntCase{"2147483647", INT32_MAX},
                                           IntCase{"99999999999999999999", INT32_MAX},
                                           IntCase{"-2147483648", INT32_MIN},
                                           IntCase{"-99999999999999999999", INT32_MIN}));

TEST(Ini, NoFile_Write_CreatesSectionAndKey) {
  TempFolder dir;
  ASSERT_TRUE(WriteIniInt(dir.File("c.ini"), "VeskoRiLi", "backalpha", 30));
  EXPECT_EQ(Get(dir.File("c.ini")), "[VeskoRiLi]\nbackalpha=30\n");
  EXPECT_EQ(ReadIniInt(dir.File("c.ini"), "VeskoRiLi", "backalpha", 0), 30);
}

TEST(Ini, FileWithOtherSectionsAndComments_Write_KeepsEveryOtherLine) {
  TempFolder dir;
  const std::string before =
      "; user notes\r\n"
      "[Other]\r\n"
      "blur=7\r\n"
      "\r\n"
      "[VeskoRiLi]\r\n"
      "# hand-made comment\r\n"
      "unknown = keep me \r\n"
      "  Blur = 0\r\n"
      "theme=theme3\r\n"
      "\r\n"
      "[Tail]\r\n"
      "x=1";
  Put(dir.File("c.ini"), before);
  ASSERT_TRUE(WriteIniInt(dir.File("c.ini"), "VeskoRiLi", "blur", 1));
  ASSERT_TRUE(WriteIniInt(dir.File("c.ini"), "VeskoRiLi", "lockwnd", 1));
  ASSERT_TRUE(WriteIniString(dir.File("c.ini"), "New", "k", "北京"));
  EXPECT_EQ(Get(dir.File("c.ini")),
            "; user notes\r\n"
            "[Other]\r\n"
            "blur=7\r\n"
            "\r\n"
            "[VeskoRiLi]\r\n"
            "# hand-made comment\r\n"
            "unknown = keep me \r\n"
            "Blur=1\r\n"
            "theme=theme3\r\n"
            "lockwnd=1\r\n"
            "\r\n"
            "[Tail]\r\n"
            "x=1\r\n"
            "[New]\r\n"
            "k=北京\r\n");
}

TEST(Ini, FileWithBom_Write_KeepsBom) {
  TempFolder dir;
  Put(dir.File("c.ini"), "\xEF\xBB\xBF[S]\nk=1\n");
  ASSERT_TRUE(WriteIniString(dir.File("c.ini"), "S", "k", "2"));
  EXPECT_EQ(Get(dir.File("c.ini")), "\xEF\xBB\xBF[S]\nk=2\n");
}

TEST(Ini, InvalidFile_Write_ReplacesItWithWellFormedFile) {
  TempFolder dir;
  Put(dir.File("c.ini"), std::string("\x01\x02\0garbage\xFF\n[S]\nk=9\n", 20));
  EXPECT_EQ(ReadIniInt(dir.File("c.ini"), "S", "k", 5), 5);
  ASSERT_TRUE(WriteIniInt(dir.File("c.ini"), "S", "j", 3));
  EXPECT_EQ(Get(dir.File("c.ini")), "[S]\nj=3\n");
}

TEST(Ini, ValueWithLineBreaks_Write_StaysOneLine) {
  TempFolder dir;
  ASSERT_TRUE(WriteIniString(dir.File("c.ini"), "S", "k", "a\r\n[T]\nb=c"));
  EXPECT_EQ(ReadIniString(dir.File("c.ini"), "S", "k", ""), "a  [T] b=c");
  EXPECT_EQ(ReadIniString(dir.File("c.ini"), "T", "b", "none"), "none");
}

TEST(Ini, NamesThatCannotReadBack_Write_AreRefused) {
  TempFolder dir;
  EXPECT_FALSE(WriteIniString(dir.File("c.ini"), "S", "a=b", "v"));
  EXPECT_FALSE(WriteIniString(dir.File("c.ini"), "S", "", "v"));
  EXPECT_FALSE(WriteIniString(dir.File("c.ini"), "S", ";k", "v"));
  EXPECT_FALSE(WriteIniString(dir.File("c.ini"), "S]x", "k", "v"));
  EXPECT_FALSE(std::filesystem::exists(dir.File("c.ini")));
}

TEST(Ini, MissingFolder_Write_FailsAndCreatesNothing) {
  TempFolder dir;
  EXPECT_FALSE(WriteIniString(dir.File("no/such/c.ini"), "S", "k", "v"));
  EXPECT_EQ(EntriesIn(dir.Path()), 0u);
}

TEST(Ini, ExistingFile_Write_KeepsModeAndLeavesNoTemporaryFile) {
  TempFolder dir;
  Put(dir.File("c.ini"), "[S]\nk=1\n");
  ASSERT_EQ(chmod(dir.File("c.ini").c_str(), 0640), 0);
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(WriteIniInt(dir.File("c.ini"), "S", "k", i));
  struct stat st {};
  ASSERT_EQ(stat(dir.File("c.ini").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

TEST(Ini, SymlinkedFile_Write_ReplacesTargetAndKeepsLink) {
  TempFolder dir;
  Put(dir.File("real.ini"), "[S]\nk=1\n");
  std::filesystem::create_symlink(dir.File("real.ini"), dir.File("link.ini"));
  ASSERT_TRUE(WriteIniInt(dir.File("link.ini"), "S", "k", 2));
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.ini")));
  EXPECT_EQ(Get(dir.File("real.ini")), "[S]\nk=2\n");
}

// Readers racing a writer must always see one complete version of the file:
// every line intact and the big value all one letter at its full length.
TEST(Ini, ConcurrentReaders_WhileWriting_NeverSeeTornFile) {
  TempFolder dir;
  const std::string path = dir.File("c.ini");
  const std::string head = "; keep\n[Other]\nx=1\n[S]\n";
  const size_t kLen = 200000;
  Put(path, head + "big=" + std::string(kLen, 'a') + "\ntail=end\n");

  std::atomic<bool> done{false};
  std::atomic<int> torn{0}, reads{0};
  std::vector<std::thread> readers;
  for (int r = 0; r < 3; ++r) {
    readers.emplace_back([&] {
      while (!done.load()) {
        std::string s = Get(path);
        ++reads;
        const size_t start = head.size() + 4;
        bool ok = s.size() == head.size() + 4 + kLen + 10 && s.compare(0, head.size(), head) == 0 &&
                  s.compare(s.size() - 10, 10, "\ntail=end\n") == 0 &&
                  s.find_first_not_of(s[start], start) == start + kLen;
        if (!ok) ++torn;
      }
    });
  }
  for (int i = 0; i < 60; ++i)
    ASSERT_TRUE(WriteIniString(path, "S", "big", std::string(kLen, static_cast<char>('a' + i % 26))));
  done = true;
  for (std::thread& t : readers) t.join();
  EXPECT_EQ(torn.load(), 0);
  EXPECT_GT(reads.load(), 0);
}

TEST(Ini, ConcurrentWritersOfDifferentKeys_AllKeysSurvive) {
  TempFolder dir;
  const std::string path = dir.File("c.ini");
  std::vector<std::thread> writers;
  for (int w = 0; w < 4; ++w)
    writers.emplace_back([&, w] {
      for (int i = 0; i < 20; ++i) WriteIniInt(path, "S", "k" + std::to_string(w), i);
    });
  for (std::thread& t : writers) t.join();
  for (int w = 0; w < 4; ++w) EXPECT_EQ(ReadIniInt(path, "S", "k" + std::to_string(w), -1), 19);
}

}  // namespace
}  // namespace vr
