#pragma once
// A move-only owner for any handle with a close function: keys, find handles, files, heap blocks,
// COM interfaces. Closing happens exactly once, on every path.
#include <utility>

namespace platform::win32 {

template <typename T, auto Close, T Invalid = T{}>
class unique_handle {
public:
  unique_handle() = default;
  explicit unique_handle(T handle) : m_handle(handle) {}
  unique_handle(unique_handle&& other) noexcept : m_handle(std::exchange(other.m_handle, Invalid)) {}
  unique_handle& operator=(unique_handle&& other) noexcept {
    if (this != &other) reset(std::exchange(other.m_handle, Invalid));
    return *this;
  }
  unique_handle(const unique_handle&) = delete;
  unique_handle& operator=(const unique_handle&) = delete;
  ~unique_handle() { reset(); }

  T get() const { return m_handle; }
  T* put() {
    reset();
    return &m_handle;
  }
  explicit operator bool() const { return m_handle != Invalid; }
  void reset(T handle = Invalid) {
    if (m_handle != Invalid) Close(m_handle);
    m_handle = handle;
  }

private:
  T m_handle = Invalid;
};

}  // namespace platform::win32
