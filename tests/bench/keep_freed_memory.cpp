// The benchmarks repeat the same work many times. Left to itself, glibc gives the memory
// that one repetition frees back to the kernel and takes it again, page by page, in the
// next: about 15 µs a page on the machine the budgets are measured on, which would swamp
// the work measured and make it flip between runs (4 ms one run, 18 ms the next, for
// loading the favourites). The program itself runs on Windows and loads the favourites
// once a start. So the memory freed stays in the process, and each repetition measures
// the program's own work.
#include <malloc.h>

namespace {

const bool kKeepFreedMemory = [] {
  mallopt(M_MMAP_THRESHOLD, 32 << 20);  // the largest it takes
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
  return true;
}();

}  // namespace
