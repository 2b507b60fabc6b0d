// How far a run has come through the bytes of its packages, and how a download's bytes read on
// the status line. Portable: no platform headers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Each package weighs its size twice: once while it downloads, once when it is put in place.
// The sizes come from the release answer and are not trusted: negative sizes count as none, and
// a release whose sizes say nothing (all zero, or a sum past int64) weighs every package alike.
class ByteProgress {
 public:
  ByteProgress(const std::vector<int64_t>& sizes, int32_t from, int32_t to);

  // `expected` has all bits set when the answer had no length: the package's size stands in.
  void downloaded(size_t package, uint64_t received, uint64_t expected);
  void placed(size_t package);
  // from..to: the bytes of the whole release so far, or, when further, the place inside the
  // slice of the package the run is at (package `current` of n runs from from+(to-from)*current/n
  // to the next package's start), so that the bar moves during a big package even when the
  // packages before it were small.
  int32_t percent(size_t current) const;

 private:
  struct Package {
    double size = 0;    // bytes, as the release says
    double weight = 0;
    double downloaded = 0;  // 0..1
    bool placed = false;
  };
  std::vector<Package> packages_;
  double total_weight_ = 0;
  int32_t from_ = 0;
  int32_t to_ = 0;
};

// "45.2 / 120.0 MB", or "45.2 MB" when the whole is not known (all bits set).
std::u16string byte_count_text(uint64_t received, uint64_t expected);

// A status line without the byte count a download appends ("  " + byte_count_text): what a
// screen reader is told, so that it speaks the package once, not every change of its bytes.
std::u16string without_byte_count(const std::u16string& line);
