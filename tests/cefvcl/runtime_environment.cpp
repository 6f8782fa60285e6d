#include "runtime_environment.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "ceflib/cef_loader.h"
#include "ceflib/cef_settings.h"
#include "test_paths.h"

namespace cefvcl::test {
namespace {

std::wstring Folder;

class RuntimeEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    Folder = kelpa::test::MakeTempDir(L"cefvcl-");
    SetEnvironmentVariableW(L"STANDIN_RUNTIME_JOURNAL", (Folder + L"\\journal.txt").c_str());
    ceflib::LibraryPath = kelpa::test::BinFile(L"libcef.dll");
    ceflib::CachePath = Folder + L"\\cache";
    ASSERT_TRUE(ceflib::LoadChromiumRuntime());
  }
  void TearDown() override {
    ceflib::UnloadChromiumRuntime();
    auto leaks = Journal().All("leaks");
    ASSERT_EQ(leaks.size(), 1u) << Journal().Text();
    EXPECT_TRUE(leaks[0].Has("total", "0")) << Journal().Text();
    SetEnvironmentVariableW(L"STANDIN_RUNTIME_JOURNAL", nullptr);
    kelpa::test::RemoveTree(Folder);
  }
};

const auto* const Registered = ::testing::AddGlobalTestEnvironment(new RuntimeEnvironment);

}  // namespace

kelpa::test::TJournal Journal() { return kelpa::test::TJournal(Folder + L"\\journal.txt"); }

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (done()) return true;
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

void PumpFor(int ms) {
  PumpUntil([] { return false; }, ms);
}

HWND HandleField(const kelpa::test::TJournalEvent& event, const std::string& key) {
  auto it = event.Fields.find(key);
  if (it == event.Fields.end()) return nullptr;
  return reinterpret_cast<HWND>(static_cast<uintptr_t>(std::stoull(it->second, nullptr, 16)));
}

}  // namespace cefvcl::test
