// The memory this process can really get from the system. Linux grants
// allocations it cannot back and ends the process later when they are
// touched, so a large build asks here first.
#pragma once

#include <cstdint>
#include <string>

constexpr std::uint64_t MEMORY_UNLIMITED = ~std::uint64_t{0};

// How many more bytes this process can get: the least of the room under
// every memory cgroup limit above it (v1 and v2; reclaimable file pages
// count as room), the machine's MemAvailable, and what RLIMIT_AS and
// RLIMIT_DATA leave. MEMORY_UNLIMITED when nothing limits it.
std::uint64_t system_memory_obtainable();

// The most this process's address space can hold, so the largest block it
// could ever get: the largest size_t (4 GiB - 1 for a 32-bit process, where
// the system's memory can be larger; no limit for a 64-bit one).
std::uint64_t system_address_space();

// The cgroup and MemAvailable part, with /proc and /sys looked up under
// root ("" for the system itself).
std::uint64_t memory_room_under(const std::string& root);
