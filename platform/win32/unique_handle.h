#pragma once
// A move-only owner for any handle with a close function: keys, find handles, files, heap blocks,
// COM interfaces. Closing happens exactly once, on every path, unless the owner hands it over.
#include <windows.h>

#include <cstdint>
#include <type_traits>
#include <utility>

namespace platform::win32 {

// What stands for "no handle" is given as a number, since a pointer made from one cannot be a
// template argument: 0 for most handles, kInvalidHandleValue (INVALID_HANDLE_VALUE) for those that
// CreateFileW and FindFirstFileW return.
inline constexpr std::intptr_t kInvalidHandleValue = -1;

template <typename T, auto Close, std::intptr_t InvalidValue = 0>
class unique_handle {
  static_assert(std::is_pointer_v<T>, "Win32 handles are pointers");

public:
  unique_handle() = default;
  explicit unique_handle(T handle) : m_handle(handle) {}
  unique_handle(unique_handle&& other) noexcept : m_handle(other.release()) {}
  unique_handle& operator=(unique_handle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  unique_handle(const unique_handle&) = delete;
  unique_handle& operator=(const unique_handle&) = delete;
  ~unique_handle() { reset(); }

  T get() const { return m_handle; }
  explicit operator bool() const { return m_handle != Invalid(); }
  // Closes what it holds and holds handle instead.
  void reset(T handle = Invalid()) {
    if (m_handle != Invalid()) Close(m_handle);
    m_handle = handle;
  }
  // Hands the handle over: whoever takes it closes it from now on.
  T release() { return std::exchange(m_handle, Invalid()); }
  // For a call that fills in a new handle: closes what it holds first.
  T* put() {
    reset();
    return &m_handle;
  }

private:
  static T Invalid() { return reinterpret_cast<T>(InvalidValue); }

  T m_handle = Invalid();
};

// Calls Close once when it goes, if it was given true (the opening call's success): for the API's
// pairs that have no handle to pass, such as OpenClipboard and CloseClipboard.
template <auto Close>
class unique_call {
public:
  explicit unique_call(bool opened) : m_opened(opened) {}
  unique_call(const unique_call&) = delete;
  unique_call& operator=(const unique_call&) = delete;
  ~unique_call() {
    if (m_opened) Close();
  }

  explicit operator bool() const { return m_opened; }

private:
  bool m_opened;
};

// The owners that several programs need.
using unique_file = unique_handle<HANDLE, &CloseHandle, kInvalidHandleValue>;  // CreateFileW
using unique_find = unique_handle<HANDLE, &FindClose, kInvalidHandleValue>;    // FindFirstFileW
using unique_hglobal = unique_handle<HGLOBAL, &GlobalFree>;
using unique_clipboard = unique_call<&CloseClipboard>;  // given OpenClipboard's success

}  // namespace platform::win32
