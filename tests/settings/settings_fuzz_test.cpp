// Bad input never crashes the settings store: generated URL-list texts and
// settings files, from a fixed seed so every run sees the same cases.

#include "base/IniFile.h"
#include "settings/ConfigForm.h"
#include "settings/URLList.h"

#include "SettingsFixture.h"

#include <cstdint>
#include <random>
#include <string>

namespace {

constexpr int kURLListCases = 99000;
constexpr int kSettingsFileCases = 1000;
// One file in this many goes through the dialog (its load, and for some a save
// and a second load); the others are read straight through the INI file object.
constexpr int kThroughTheDialog = 10;

bool IsSeparator(wchar_t c) { return c == L',' || c == L'\r' || c == L'\n'; }
bool IsQuote(wchar_t c) { return c == L'\'' || c == L'"'; }

// Characters that matter to the syntax, their look-alikes above 255 (whose low
// byte is a separator or quote), and ordinary ones.
const wchar_t kAlphabet[] = {L',',    L',',    L'\r',   L'\n',   L'\'',   L'"',    L' ',    L' ',    L'a',
                             L'b',    L'.',    L'/',    L':',    L'\t',   0x0000,  0x0001,  0x00A0,  0x2C2C,
                             0x0A2C,  0x0A0D,  0x0A0A,  0x2C27,  0x2C22,  0xFF0C,  0xD800,  0xFFFF};

std::wstring RandomListText(std::mt19937& random) {
  std::uniform_int_distribution<int> length(0, 40);
  std::uniform_int_distribution<size_t> pick(0, std::size(kAlphabet) - 1);
  std::wstring text(length(random), L' ');
  for (wchar_t& c : text) c = kAlphabet[pick(random)];
  return text;
}

// Checks the list against the text without parsing it again: the text must be
// the entries in order with only separators between and around them, every
// entry must end at a separator outside quotes (or at the end of the text),
// and no entry may hold a separator outside a quoted run.
::testing::AssertionResult ListFitsText(const std::wstring& text, const TURLList& list) {
  size_t cursor = 0;
  for (const std::wstring& entry : list) {
    if (entry.empty()) return ::testing::AssertionFailure() << "empty entry";
    while (cursor < text.size() && IsSeparator(text[cursor])) ++cursor;
    if (text.compare(cursor, entry.size(), entry) != 0)
      return ::testing::AssertionFailure() << "entry not at its place: " << ::testing::PrintToString(entry);
    wchar_t quote = 0;
    for (wchar_t c : entry) {
      if (quote) {
        if (c == quote) quote = 0;
      } else if (IsSeparator(c)) {
        return ::testing::AssertionFailure() << "separator outside quotes inside an entry";
      } else if (IsQuote(c)) {
        quote = c;
      }
    }
    cursor += entry.size();
    if (cursor < text.size() && (quote || !IsSeparator(text[cursor])))
      return ::testing::AssertionFailure() << "entry ends early";
  }
  for (; cursor < text.size(); ++cursor)
    if (!IsSeparator(text[cursor])) return ::testing::AssertionFailure() << "text left out at " << cursor;
  return ::testing::AssertionSuccess();
}

struct TSettingsCase {
  std::string Content;
  bool Structured = false;
  int DisplayDelay = 2000;  // what reading must give, for structured files
  int RotateDelay = 5000;
  std::string URL1;
};

int Clamp(int value, int minValue, int maxValue) { return value < minValue ? minValue : value > maxValue ? maxValue : value; }

// A value text for an integer setting and what reading it must give.
std::string IntegerText(std::mt19937& random, int defaultValue, int& expected) {
  std::uniform_int_distribution<int> form(0, 6);
  std::uniform_int_distribution<long long> any(-5000000000LL, 5000000000LL);
  std::uniform_int_distribution<int> plausible(-1000, 100000);
  long long value = form(random) < 4 ? plausible(random) : any(random);
  auto valueOrDefault = [&](long long v) {
    return v < INT32_MIN || v > INT32_MAX ? defaultValue : static_cast<int>(v);
  };
  char hex[32];
  switch (form(random)) {
    case 0:
    case 1:
    case 2:
      expected = valueOrDefault(value);
      return std::to_string(value);
    case 3:
      value = value < 0 ? -value : value;
      snprintf(hex, sizeof hex, "0x%llX", value);
      expected = valueOrDefault(value);
      return hex;
    case 4:
      value = value < 0 ? -value : value;
      snprintf(hex, sizeof hex, "$%llx", value);
      expected = valueOrDefault(value);
      return hex;
    case 5:
      expected = defaultValue;
      return std::to_string(value) + "ms";
    default:
      expected = defaultValue;
      return "";
  }
}

std::string RandomCase(std::mt19937& random, const char* key) {
  std::string result = key;
  std::uniform_int_distribution<int> coin(0, 1);
  for (char& c : result)
    if (coin(random)) c = static_cast<char>(c >= 'a' ? c - 32 : c + 32);
  return result;
}

TSettingsCase StructuredCase(std::mt19937& random) {
  TSettingsCase result;
  result.Structured = true;
  std::uniform_int_distribution<int> coin(0, 1);
  std::string config = "[" + RandomCase(random, "Config") + "]\r\n";
  if (coin(random)) config += RandomCase(random, "DisplayDelay") + (coin(random) ? "=" : " = ") +
                              IntegerText(random, 2000, result.DisplayDelay) + "\r\n";
  if (coin(random)) config += "Unrelated=1\r\n";
  if (coin(random)) config += RandomCase(random, "RotateDelay") + "=" +
                              IntegerText(random, 5000, result.RotateDelay) + "\r\n";
  if (coin(random)) {
    std::uniform_int_distribution<int> length(0, 3000);
    std::uniform_int_distribution<int> letter('a', 'z');
    result.URL1.resize(length(random));
    for (char& c : result.URL1) c = static_cast<char>(letter(random));
    config += "ScreenURL1=" + result.URL1 + "\r\n";
  }
  std::string other = "[Other]\r\nDisplayDelay=777\r\nScreenURL1=other\r\n";
  result.Content = coin(random) ? other + config : config + other;
  return result;
}

TSettingsCase GarbageCase(std::mt19937& random) {
  static const char* const kTokens[] = {"[Config]", "[config", "Config]", "DisplayDelay=", "RotateDelay=",
                                        "ScreenURL1=", "ScreenURL3=", "=",  "\r\n", "\n", "\r", ";", "0x", "$",
                                        "-", "99999999999999", "\xFF\xFE", "\xEF\xBB\xBF", " ", "\t"};
  TSettingsCase result;
  std::uniform_int_distribution<int> count(0, 60);
  std::uniform_int_distribution<int> kind(0, 2);
  std::uniform_int_distribution<size_t> token(0, std::size(kTokens) - 1);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int i = count(random); i > 0; --i) {
    if (kind(random) == 0)
      result.Content += static_cast<char>(byte(random));
    else
      result.Content += kTokens[token(random)];
  }
  return result;
}

}  // namespace

TEST(SettingsFuzz, RandomURLListTextsParseIntoEntriesThatFitTheText) {
  std::mt19937 random(20240611);
  int entries = 0;
  for (int i = 0; i < kURLListCases; ++i) {
    std::wstring text = RandomListText(random);
    TURLList list;
    ParseURLList(text, list);
    entries += static_cast<int>(list.size());
    ASSERT_TRUE(ListFitsText(text, list)) << "case " << i << ": " << ::testing::PrintToString(text);
    TURLList shown = URLListForSetting(text);
    ASSERT_FALSE(shown.empty()) << "case " << i;
  }
  EXPECT_GT(entries, kURLListCases);  // the generator does produce lists, not only empty ones
}

class SettingsFileFuzz : public SettingsFixture {};

TEST_F(SettingsFileFuzz, RandomSettingsFilesLoadInRangeAndSaveBack) {
  std::mt19937 random(19700101);
  std::uniform_int_distribution<int> coin(0, 1);
  TConfigForm form;
  int structured = 0;
  for (int i = 0; i < kSettingsFileCases; ++i) {
    TSettingsCase c = coin(random) ? StructuredCase(random) : GarbageCase(random);
    structured += c.Structured;
    const bool throughTheDialog = i % kThroughTheDialog == 0;
    // A file name per case: the system may cache a profile by its name and time stamp.
    std::wstring folder = FAppData + L"\\" + std::to_wstring(i);
    std::wstring file = folder + L"\\KelpaScreenSaver.INI";
    if (throughTheDialog) {
      ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
      SetEnvironmentVariableW(L"APPDATA", folder.c_str());
    } else {
      file = FAppData + L"\\" + std::to_wstring(i) + L".ini";
    }
    WriteFileBytes(file, c.Content);

    if (!throughTheDialog) {
      TIniFile ini(file);
      int display = ini.ReadInteger(L"Config", L"DisplayDelay", 2000);
      int rotate = ini.ReadInteger(L"Config", L"RotateDelay", 5000);
      std::wstring url1 = ini.ReadString(L"Config", L"ScreenURL1", L"");
      for (const wchar_t* key : {L"ScreenURL2", L"ScreenURL3", L"ScreenURL4", L"ScreenURL5"})
        ini.ReadString(L"Config", key, L"");
      if (c.Structured) {
        ASSERT_EQ(display, c.DisplayDelay) << "case " << i << "\n" << c.Content;
        ASSERT_EQ(rotate, c.RotateDelay) << "case " << i << "\n" << c.Content;
        ASSERT_EQ(url1, std::wstring(c.URL1.begin(), c.URL1.end())) << "case " << i;
      }
      continue;
    }

    form.LoadSettings();
    int display = form.DisplayDelay.Value();
    int rotate = form.RotateDelay.Value();
    ASSERT_GE(display, 500) << "case " << i;
    ASSERT_LE(display, 10000) << "case " << i;
    ASSERT_GE(rotate, 5000) << "case " << i;
    ASSERT_LE(rotate, 90000) << "case " << i;
    if (c.Structured) {
      ASSERT_EQ(display, Clamp(c.DisplayDelay, 500, 10000)) << "case " << i << "\n" << c.Content;
      ASSERT_EQ(rotate, Clamp(c.RotateDelay, 5000, 90000)) << "case " << i << "\n" << c.Content;
      ASSERT_EQ(form.URL1.Text(), std::wstring(c.URL1.begin(), c.URL1.end())) << "case " << i;
    }
    if (coin(random)) {
      std::wstring url1 = form.URL1.Text();
      ASSERT_NO_THROW(form.SaveSettings()) << "case " << i;
      form.DisplayDelay.SetValue(0);
      form.URL1.SetText(L"changed");
      form.LoadSettings();
      ASSERT_EQ(form.DisplayDelay.Value(), display) << "case " << i;
      ASSERT_EQ(form.RotateDelay.Value(), rotate) << "case " << i;
      ASSERT_EQ(form.URL1.Text(), url1) << "case " << i;
    }
  }
  EXPECT_GT(structured, kSettingsFileCases / 3);
}
