// Patches made by the zstd command line, as the release tool makes them, applied by the
// program's decoding; and frames that must be refused.
#include "package/zstd_patch.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace {

using Bytes = std::string;

std::filesystem::path work_dir() {
  static const std::filesystem::path dir = [] {
    std::filesystem::path d =
        std::filesystem::temp_directory_path() /
        ("orvane-patch-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::create_directories(d);
    return d;
  }();
  return dir;
}

void write(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

Bytes read(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

// zstd -19 --long [--patch-from=base] new: the release tool's command.
Bytes make_patch(const Bytes* base, const Bytes& target) {
  const std::filesystem::path dir = work_dir();
  write(dir / "new", target);
  std::string command = "zstd -q -f -19 --long ";
  if (base) {
    write(dir / "base", *base);
    command += "--patch-from=" + (dir / "base").string() + " ";
  }
  command += (dir / "new").string() + " -o " + (dir / "patch").string() + " 2>/dev/null";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  return read(dir / "patch");
}

Bytes random_bytes(size_t size, unsigned seed) {
  std::mt19937 generate(seed);
  Bytes bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(generate());
  return bytes;
}

const uint8_t* u8(const Bytes& bytes) {
  return reinterpret_cast<const uint8_t*>(bytes.data());
}

bool applies(const Bytes& base, const Bytes& patch, Bytes* out) {
  const std::optional<uint64_t> size = patch_content_size(u8(patch), patch.size());
  if (!size) return false;
  out->assign(static_cast<size_t>(*size), '\0');
  return apply_patch(u8(base), base.size(), u8(patch), patch.size(),
                     reinterpret_cast<uint8_t*>(out->data()), out->size());
}

TEST(ZstdPatch, AppliesWhatTheCommandLineMakesAndOnlyToItsBase) {
  const Bytes base = random_bytes(256 * 1024, 1);
  Bytes changed = base;
  for (size_t at = 4096; at < changed.size(); at += 40960) changed[at] ^= 0x5a;
  changed.insert(100000, random_bytes(10000, 2));
  const Bytes patch = make_patch(&base, changed);
  ASSERT_LT(patch.size(), changed.size() / 10);
  Bytes out;
  EXPECT_TRUE(applies(base, patch, &out));
  EXPECT_EQ(out, changed);

  Bytes other_base = base;
  other_base[200000] ^= 1;
  const struct {
    const char* label;
    Bytes base;
  } wrong[] = {{"one byte of the base differs", other_base},
               {"no base", Bytes()},
               {"the base cut short", base.substr(0, base.size() / 2)}};
  for (const auto& c : wrong) {
    EXPECT_FALSE(applies(c.base, patch, &out)) << c.label;
  }
  // The output buffer must be exactly the content's size.
  Bytes small(changed.size() - 1, '\0');
  EXPECT_FALSE(apply_patch(u8(base), base.size(), u8(patch), patch.size(),
                           reinterpret_cast<uint8_t*>(small.data()), small.size()));
}

TEST(ZstdPatch, NewAndEmptyFilesNeedNoBase) {
  for (const Bytes& target : {Bytes("a new member\n"), Bytes()}) {
    Bytes out = "x";
    EXPECT_TRUE(applies(Bytes(), make_patch(nullptr, target), &out)) << target.size();
    EXPECT_EQ(out, target);
  }
}

TEST(ZstdPatch, RefusesWhatIsNotOneFrameOfAKnownSizeAndWindow) {
  const Bytes base = random_bytes(4000, 3);
  const Bytes target =
      base.substr(0, 300) + "changed" + base.substr(300) + base.substr(0, 89);  // 4 KiB
  const Bytes patch = make_patch(&base, target);
  // The command line writes a single-segment frame: the window is the content's size. With the
  // segment flag cleared, a window of the content's size is taken; a larger one is refused.
  ASSERT_NE(patch[4] & 0x20, 0);
  const auto with_window = [&](uint8_t descriptor) {
    Bytes frame = patch;
    frame[4] = static_cast<char>(frame[4] & ~0x20);
    frame.insert(frame.begin() + 5, static_cast<char>(descriptor));
    return frame;
  };
  Bytes out;
  ASSERT_EQ(target.size(), 4096u);
  const Bytes four_kib = with_window(2 << 3);
  EXPECT_TRUE(applies(base, four_kib, &out));
  EXPECT_EQ(out, target);
  const Bytes skippable = Bytes("\x50\x2a\x4d\x18\x00\x00\x00\x00", 8);
  const struct {
    const char* label;
    Bytes patch;
  } refused[] = {
      {"a window of 4.5 KiB", with_window((2 << 3) | 1)},
      {"a window of 2 GiB", with_window(21 << 3)},
      {"cut short", patch.substr(0, patch.size() - 3)},
      {"only the header", patch.substr(0, 6)},
      {"bytes after the frame", patch + "x"},
      {"two frames", patch + patch},
      {"a skippable frame", skippable},
      {"a skippable frame first", skippable + patch},
      {"empty", Bytes()},
  };
  for (const auto& c : refused) {
    EXPECT_FALSE(applies(base, c.patch, &out)) << c.label;
  }
  // A frame written without its content size (a stream of unknown length) is refused too.
  write(work_dir() / "stream", target);
  const std::string command = "cat " + (work_dir() / "stream").string() + " | zstd -q -19 -c > " +
                              (work_dir() / "unsized").string();
  ASSERT_EQ(std::system(command.c_str()), 0);
  const Bytes unsized = read(work_dir() / "unsized");
  EXPECT_FALSE(patch_content_size(u8(unsized), unsized.size()).has_value());
}

}  // namespace
