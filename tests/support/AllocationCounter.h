// Counts the process's heap allocations and refuses chosen ones, through replacements of malloc and
// its relatives (operator new uses them too) in AllocationCounter.cpp. Any thread may allocate;
// the controls belong to the test thread, one of each kind alive at a time.
#pragma once

#include <cstddef>

// Counts the allocations and frees made while it lives, starting from zero. With a non-zero
// refuseNumber it makes allocation number refuseNumber (1-based, counted from its start) fail.
class AllocationCounter {
public:
    explicit AllocationCounter(long refuseNumber = 0);
    ~AllocationCounter();
    AllocationCounter(const AllocationCounter&) = delete;
    AllocationCounter& operator=(const AllocationCounter&) = delete;

    // Ends counting early; the figures stay readable.
    void stop();
    long count() const;
    // Allocations counted and not yet freed; a refused allocation owes nothing.
    long outstanding() const;
};

// While it lives, every allocation of at least `bytes` fails, counted or not.
class LargeAllocationRefusal {
public:
    explicit LargeAllocationRefusal(size_t bytes);
    ~LargeAllocationRefusal();
    LargeAllocationRefusal(const LargeAllocationRefusal&) = delete;
    LargeAllocationRefusal& operator=(const LargeAllocationRefusal&) = delete;
};
