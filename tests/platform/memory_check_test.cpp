#include "platform/memory_check.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr std::uint64_t Largest = std::numeric_limits<std::uint64_t>::max();

class MemoryCheck : public ::testing::Test {
 protected:
  void TearDown() override { SetAvailableMemorySource(nullptr); }
};

TEST_F(MemoryCheck, ReadsTheKernelsEstimateFromItsText) {
  const char* Text =
      "MemTotal:       24682348 kB\n"
      "MemFree:        15667760 kB\n"
      "MemAvailable:   21666492 kB\n"
      "Buffers:           30976 kB\n";
  EXPECT_EQ(ParseMemAvailable(Text), 21666492ull * 1024);
  // The last line, without its line end; a tab before the number.
  EXPECT_EQ(ParseMemAvailable("MemFree: 1 kB\nMemAvailable:\t7 kB"), 7ull * 1024);
  // Only a key that starts a line counts; a missing or unreadable number is no estimate.
  EXPECT_EQ(ParseMemAvailable("XMemAvailable: 5 kB\n"), std::nullopt);
  EXPECT_EQ(ParseMemAvailable("MemTotal: 5 kB\n"), std::nullopt);
  EXPECT_EQ(ParseMemAvailable("MemAvailable:  kB\n"), std::nullopt);
  EXPECT_EQ(ParseMemAvailable(""), std::nullopt);
  // A number past 64 bits of bytes saturates.
  EXPECT_EQ(ParseMemAvailable("MemAvailable: 18446744073709551615 kB\n"), Largest);

  // The system's own file (its size reads as 0) gives an estimate, whatever the amount.
  const auto System = SystemAvailableMemory();
  ASSERT_TRUE(System.has_value());
  EXPECT_GT(*System, 0u);
}

TEST_F(MemoryCheck, APictureMayTakeHalfOfWhatIsAvailable) {
  SetAvailableMemorySource([] { return std::optional<std::uint64_t>(1000); });
  EXPECT_TRUE(MemoryAvailable(0));
  EXPECT_TRUE(MemoryAvailable(500));
  EXPECT_FALSE(MemoryAvailable(501));
  EXPECT_FALSE(MemoryAvailable(Largest));
  // Nothing to be told: the allocation itself decides.
  SetAvailableMemorySource([] { return std::optional<std::uint64_t>(); });
  EXPECT_TRUE(MemoryAvailable(Largest / 4));
}

TEST_F(MemoryCheck, SizesSaturateInsteadOfWrapping) {
  EXPECT_EQ(SaturatingMul(1ull << 32, 1ull << 32), Largest);
  EXPECT_EQ(SaturatingMul(1ull << 31, 1ull << 32), 1ull << 63);
  EXPECT_EQ(SaturatingAdd(Largest - 1, 2), Largest);
  EXPECT_EQ(SaturatingAdd(2, 3), 5u);
}

}  // namespace
