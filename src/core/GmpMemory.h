#pragma once
#include <cstddef>

namespace tavrin {

// Every allocation of GMP's numbers goes through functions of the program.
// A request the system cannot meet, or one that would take the numbers GMP
// holds past the memory budget, throws std::bad_alloc, which the command
// that started the work reports as code 3 "low memory...trouble!" with
// nothing stored: GMP itself would end the whole program instead. Installed
// once; later calls do nothing.
void InstallGmpMemoryFunctions();

// Bytes GMP's numbers hold now (after the installation).
size_t GmpBytesInUse();

// The budget: half the physical memory, at most 4 GiB, so that no single
// number comes near the size where GMP gives up on its own. Tests may set it.
size_t GmpMemoryBudget();
void SetGmpMemoryBudget(size_t bytes);

// Whether `count` numbers of about `bits` bits each fit the budget: the
// estimate a command makes before it starts a computation whose results
// could not be held (a power of a big integer, for example).
bool FitsGmpBudget(long double bits, long double count = 1);

}  // namespace tavrin
