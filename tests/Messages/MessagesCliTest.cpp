// velmora-convert in the language its environment asks for: its help,
// errors and warnings in Vietnamese, and in English, exactly as before, under
// the C locale, which scripts run in.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/CliFixture.h"

namespace velmora::test {
namespace {

constexpr const char* kEnglish =
    "velmora-convert: unknown command 'bogus'\n"
    "Try 'velmora-convert --help' for more information.\n";
constexpr const char* kVietnamese =
    "velmora-convert: không có lệnh 'bogus'\n"
    "Gõ 'velmora-convert --help' để xem hướng dẫn sử dụng đầy đủ.\n";

struct LanguageCase {
  const char* language;  // LANGUAGE; nullptr: unset
  const char* lcAll;
  const char* lang;
  const char* expected;
};

class MessagesCli : public CliTest {
 protected:
  void RunsInTheLanguageAskedFor(const LanguageCase& c);
  // What velmora-convert says, in the language the process's settings ask
  // for, to each of a few mistakes and to --help.
  void SpeaksVietnamese();
};

void MessagesCli::RunsInTheLanguageAskedFor(const LanguageCase& c) {
  const ScopedVariable language("LANGUAGE", c.language);
  const ScopedVariable lcAll("LC_ALL", c.lcAll);
  const ScopedVariable lcMessages("LC_MESSAGES", nullptr);
  const ScopedVariable lang("LANG", c.lang);
  const RunResult result = Run("bogus");
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, c.expected)
      << "LANGUAGE=" << (c.language ? c.language : "(unset)")
      << " LC_ALL=" << (c.lcAll ? c.lcAll : "(unset)") << " LANG=" << (c.lang ? c.lang : "(unset)");
}

TEST_F(MessagesCli, UsageErrorInTheLanguageAskedFor) {
  const LanguageCase cases[] = {
      {nullptr, "C", nullptr, kEnglish},
      {nullptr, nullptr, "POSIX", kEnglish},
      {"en", nullptr, "vi_VN.UTF-8", kEnglish},
      {"fr:vi", nullptr, "de_DE.UTF-8", kVietnamese},
#ifdef _WIN32
      // Windows has no C locale: LANGUAGE, else the interface language.
      {"vi", "C", nullptr, kVietnamese},
#else
      {"vi", "C", nullptr, kEnglish},           {nullptr, nullptr, "vi_VN.UTF-8", kVietnamese},
      {nullptr, "vi_VN", "C", kVietnamese},     {"vi", nullptr, nullptr, kEnglish},
#endif
  };
  for (const LanguageCase& c : cases) RunsInTheLanguageAskedFor(c);
}

void MessagesCli::SpeaksVietnamese() {
  const struct {
    const char* what;
    const char* args;
    std::string input;
    int exitCode;
    const char* err;  // all of standard error
  } cases[] = {
      {"a mistyped command", "libl", "", 2,
       "velmora-convert: không có lệnh 'libl'; có phải ý bạn là 'libol'?\n"
       "Gõ 'velmora-convert --help' để xem hướng dẫn sử dụng đầy đủ.\n"},
      {"invalid UTF-8", "libol", "245    10$a\xFF", 1,
       "velmora-convert: đầu vào chuẩn: UTF-8 không hợp lệ tại vị trí byte 11 (tính từ 0)\n"},
      {"another system's record", "libol", ReadFile(ExamplePath("verbrary.txt")), 1,
       "velmora-convert: đầu vào chuẩn: không tìm thấy biểu ghi Libol nào; văn bản có vẻ là biểu "
       "ghi Verbrary: hãy thử 'velmora-convert verbrary'\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const RunResult result = Run(c.args, c.input);
    EXPECT_EQ(result.exitCode, c.exitCode);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, c.err);
  }
  const RunResult help = Run("--help");
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_EQ(help.out.substr(0, help.out.find('\n')),
            "cách dùng: velmora-convert LỆNH [TÙY_CHỌN...] [TỆP...]");
  // Translated rows keep their columns; option names stay as they are.
  for (const char* row :
       {"\n  charset NGUỒN ĐÍCH  văn bản bất kỳ:", "\n  -o, --output TỆP    ghi vào TỆP",
        "\nlệnh:\n", "\ntùy chọn:\n", "\nđịnh dạng (--format):\n"}) {
    EXPECT_NE(help.out.find(row), std::string::npos) << row;
  }
}

TEST_F(MessagesCli, HelpErrorsAndWarningsInVietnamese) {
#ifdef _WIN32
  const ScopedVariable language("LANGUAGE", "vi");
#else
  const ScopedVariable language("LANGUAGE", nullptr);
  const ScopedVariable lcAll("LC_ALL", nullptr);
  const ScopedVariable lcMessages("LC_MESSAGES", nullptr);
  const ScopedVariable lang("LANG", "vi_VN.UTF-8");
#endif
  SpeaksVietnamese();
}

// Run by ctest in a Wine started with LANG=vi_VN.UTF-8, which Wine gives its
// programs as their interface language (tests/Messages/CMakeLists.txt).
TEST_F(MessagesCli, InterfaceLanguageAsWineWasStarted) {
  const char* expected = std::getenv("VELMORA_EXPECTED_UI_LANGUAGE");
  if (expected == nullptr) GTEST_SKIP() << "run by the ctest entry that sets the language";
  ASSERT_EQ(std::string(expected), "vi");
  const ScopedVariable language("LANGUAGE", nullptr);
  const RunResult result = Run("bogus");
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_EQ(result.err, kVietnamese);
  SpeaksVietnamese();
}

}  // namespace
}  // namespace velmora::test
