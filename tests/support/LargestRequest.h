#pragma once
// Replaces the program's global allocator to record the largest single request, so a test or
// a benchmark can show that no stored number sized an allocation. Include it in exactly one
// source file of a program.
#include <atomic>
#include <cstdlib>
#include <new>

inline std::atomic<std::size_t> g_largestRequest{0};

inline void* AllocateRecordingLargest(std::size_t n)
{
    std::size_t seen = g_largestRequest.load();
    while (n > seen && !g_largestRequest.compare_exchange_weak(seen, n)) {
    }
    if (void* p = std::malloc(n ? n : 1))
        return p;
    throw std::bad_alloc();
}

void* operator new(std::size_t n) { return AllocateRecordingLargest(n); }
void* operator new[](std::size_t n) { return AllocateRecordingLargest(n); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
