#include "platform/win32/unique_handle.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace {

using platform::win32::kInvalidHandleValue;
using platform::win32::unique_file;
using platform::win32::unique_handle;

std::vector<HANDLE> g_closed;
void RecordClose(HANDLE handle) { g_closed.push_back(handle); }
using recorded_file = unique_handle<HANDLE, &RecordClose, kInvalidHandleValue>;
using recorded_handle = unique_handle<HANDLE, &RecordClose>;

HANDLE Fake(std::uintptr_t value) { return reinterpret_cast<HANDLE>(value); }

class UniqueHandleTest : public testing::Test {
protected:
  void SetUp() override { g_closed.clear(); }
};

// Each owner's own "no handle" is never closed; every other value is closed once.
TEST_F(UniqueHandleTest, ClosesAllButItsOwnEmptyValue) {
  { const recorded_file failedOpen(INVALID_HANDLE_VALUE); EXPECT_FALSE(failedOpen); }
  { const recorded_file empty; EXPECT_EQ(empty.get(), INVALID_HANDLE_VALUE); }
  { const recorded_file null(nullptr); EXPECT_TRUE(null) << "a valid value for these handles"; }
  { const recorded_handle null(nullptr); EXPECT_FALSE(null); }
  { const recorded_handle open(Fake(0x40)); EXPECT_TRUE(open); }
  EXPECT_EQ(g_closed, (std::vector<HANDLE>{nullptr, Fake(0x40)}));
}

TEST_F(UniqueHandleTest, ReleaseHandsOverAndResetAndMoveCloseOnce) {
  recorded_file released(Fake(0x10));
  EXPECT_EQ(released.release(), Fake(0x10));
  EXPECT_FALSE(released);

  recorded_file reset(Fake(0x20));
  reset.reset(Fake(0x24));
  EXPECT_EQ(g_closed, (std::vector<HANDLE>{Fake(0x20)}));

  recorded_file moved(std::move(reset));
  EXPECT_EQ(moved.get(), Fake(0x24));
  EXPECT_EQ(reset.get(), INVALID_HANDLE_VALUE);
  moved = recorded_file(Fake(0x28));
  EXPECT_EQ(g_closed, (std::vector<HANDLE>{Fake(0x20), Fake(0x24)}));
}

// A file that its owner has closed can be deleted; one that failed to open leaves the error code.
TEST(UniqueFileTest, OwnsWhatCreateFileWGives) {
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  const std::wstring path = std::wstring(folder) + L"unique-file-" + std::to_wstring(GetCurrentProcessId());
  {
    const unique_file created(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    ASSERT_TRUE(created);
    EXPECT_FALSE(DeleteFileW(path.c_str())) << "still open";
  }
  EXPECT_TRUE(DeleteFileW(path.c_str()));

  const unique_file missing(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(missing);
}

}  // namespace
