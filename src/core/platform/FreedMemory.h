#pragma once
// Memory the program has freed but the C library keeps: after a large piece
// of work (a file replaced by another, a preview closed, a picture copied)
// the heaps of the threads that did it hold free pages that no later
// allocation may fit, and the process would grow from one such piece of
// work to the next.

namespace plicora {

/// Gives the free pages of every heap back to the system.
void ReleaseFreedMemory();

}  // namespace plicora
