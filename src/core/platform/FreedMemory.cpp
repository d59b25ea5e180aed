#include "core/platform/FreedMemory.h"

#include <malloc.h>

namespace plicora {

void ReleaseFreedMemory() {
  malloc_trim(0);
}

}  // namespace plicora
