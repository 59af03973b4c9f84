#include "platform/system/FreedMemory.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void ReturnFreedMemory() {
#if defined(__GLIBC__)
  malloc_trim(0);
#endif
}
