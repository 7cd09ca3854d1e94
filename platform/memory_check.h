#pragma once
// Whether the tables of a picture can be had before any of them is allocated. Linux hands out
// address space it does not have, so a table far too large "succeeds" and the program is killed
// later, while it fills it; the kernel's own estimate of what it can still give is asked instead.
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

// A * B and A + B, stopping at the largest count instead of wrapping round to a small one.
std::uint64_t SaturatingMul(std::uint64_t A, std::uint64_t B);
std::uint64_t SaturatingAdd(std::uint64_t A, std::uint64_t B);

// "MemAvailable:" of a /proc/meminfo text, in bytes; nothing when the line is missing or bad.
std::optional<std::uint64_t> ParseMemAvailable(std::string_view MemInfo);

// Bytes the system can still hand out without swapping; nothing when it cannot be told.
using TAvailableMemorySource = std::function<std::optional<std::uint64_t>()>;
std::optional<std::uint64_t> SystemAvailableMemory();
// Tests install their own source; null restores the system's.
void SetAvailableMemorySource(TAvailableMemorySource Source);

// Whether Bytes more can be had now. Half of what is available is the most one picture may
// take: what it draws from its tables (traced lines, pixels, the window's backing images) and
// the rest of the program need room too. When the memory cannot be told, anything is allowed
// (the allocation is still guarded).
bool MemoryAvailable(std::uint64_t Bytes);
