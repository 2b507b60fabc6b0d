// One owner for every platform handle: closed by the scope that acquired it.
#pragma once

#include <utility>

// Traits: `using type = ...; static bool valid(type); static void close(type);`
// A handle is stored as given; `valid` decides whether the destructor has anything to close
// (Win32 uses both NULL and INVALID_HANDLE_VALUE as "no handle").
template <typename Traits>
class ScopedHandle {
 public:
  using type = typename Traits::type;

  ScopedHandle() = default;
  explicit ScopedHandle(type handle) : handle_(handle) {}
  ~ScopedHandle() { reset(); }

  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;
  ScopedHandle(ScopedHandle&& other) noexcept : handle_(std::exchange(other.handle_, type{})) {}
  ScopedHandle& operator=(ScopedHandle&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = std::exchange(other.handle_, type{});
    }
    return *this;
  }

  type get() const { return handle_; }
  explicit operator bool() const { return Traits::valid(handle_); }

  void reset(type handle = type{}) {
    if (Traits::valid(handle_)) Traits::close(handle_);
    handle_ = handle;
  }

 private:
  type handle_{};
};
