// COM for the calling thread, for the life of a scope: a successful CoInitializeEx is balanced
// when the scope ends.
#pragma once

#include <objbase.h>

class ComApartment {
 public:
  explicit ComApartment(DWORD model = COINIT_MULTITHREADED)
      : result_(CoInitializeEx(nullptr, model)) {}
  ~ComApartment() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  // Already initialised in the other model is usable too.
  bool usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

 private:
  HRESULT result_;
};
