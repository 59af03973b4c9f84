// Returning freed memory to the system.
#pragma once

// Hands the heap's free pages back to the system. The allocator keeps the memory of a
// freed picture for later use, which an agent that waits hours for its next change does
// not need.
void ReturnFreedMemory();
