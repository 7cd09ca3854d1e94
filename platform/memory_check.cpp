#include "platform/memory_check.h"

#include <unistd.h>

#include <charconv>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>

namespace {

constexpr std::uint64_t Largest = std::numeric_limits<std::uint64_t>::max();

TAvailableMemorySource GSource;

}  // namespace

std::uint64_t SaturatingMul(std::uint64_t A, std::uint64_t B) {
  std::uint64_t R = 0;
  return __builtin_mul_overflow(A, B, &R) ? Largest : R;
}

std::uint64_t SaturatingAdd(std::uint64_t A, std::uint64_t B) {
  std::uint64_t R = 0;
  return __builtin_add_overflow(A, B, &R) ? Largest : R;
}

std::optional<std::uint64_t> ParseMemAvailable(std::string_view MemInfo) {
  constexpr std::string_view Key = "MemAvailable:";
  size_t At = MemInfo.find(Key);
  // The key starts a line.
  while (At != std::string_view::npos && At != 0 && MemInfo[At - 1] != '\n')
    At = MemInfo.find(Key, At + 1);
  if (At == std::string_view::npos) return std::nullopt;
  const size_t Start = At + Key.size(), Eol = MemInfo.find('\n', Start);
  const std::string_view Line =
      MemInfo.substr(Start, Eol == std::string_view::npos ? Eol : Eol - Start);
  const size_t Digits = Line.find_first_not_of(" \t");
  if (Digits == std::string_view::npos) return std::nullopt;
  std::uint64_t KiB = 0;
  const auto [End, Error] = std::from_chars(Line.data() + Digits, Line.data() + Line.size(), KiB);
  if (Error != std::errc() || End == Line.data() + Digits) return std::nullopt;
  // The kernel writes "kB" and means KiB.
  return SaturatingMul(KiB, 1024);
}

std::optional<std::uint64_t> SystemAvailableMemory() {
  // The file reports a size of 0, so it is read to its end rather than by its size.
  std::ifstream In("/proc/meminfo");
  if (In) {
    std::ostringstream Text;
    Text << In.rdbuf();
    if (const auto Bytes = ParseMemAvailable(Text.str())) return Bytes;
  }
  // Kernels without the estimate: the free pages, which undercount what the caches would give.
  const long Pages = sysconf(_SC_AVPHYS_PAGES), PageSize = sysconf(_SC_PAGESIZE);
  if (Pages > 0 && PageSize > 0)
    return SaturatingMul(static_cast<std::uint64_t>(Pages), static_cast<std::uint64_t>(PageSize));
  return std::nullopt;
}

void SetAvailableMemorySource(TAvailableMemorySource Source) { GSource = std::move(Source); }

bool MemoryAvailable(std::uint64_t Bytes) {
  const std::optional<std::uint64_t> Available = GSource ? GSource() : SystemAvailableMemory();
  return !Available || Bytes <= *Available / 2;
}
