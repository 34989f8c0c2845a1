#pragma once
// A debug heap for tests of code that must not touch what a handler freed: while a guard lives,
// every allocation of the program gets pages of its own, and freeing it puts the pages out of
// reach instead of handing the memory back. A later read or write of them ends the program at
// once with a line that names the test, where an ordinary heap would have let the freed
// object's old values pass for live ones.
//
// The program that links this file replaces operator new and delete; outside a guard they are
// malloc and free.

class TGuardedHeap {
public:
    // Allocations made from now on are guarded, until the guard ends (their freeing is guarded
    // after that too).
    TGuardedHeap();
    ~TGuardedHeap();
    TGuardedHeap(const TGuardedHeap&) = delete;
    TGuardedHeap& operator=(const TGuardedHeap&) = delete;

    // Whether the guarded pages could be reserved (where not, allocations are plain ones).
    static bool Available();
};
