#include "outside/premix/memory_budget.h"

#include <unistd.h>

namespace vantor::premix {

double JacobianBytesPerPoint(int blockSize) {
    const double b = blockSize;
    return 3.0 * b * b * sizeof(double);
}

double FlameMemoryBudget() {
    const long pages = ::sysconf(_SC_PHYS_PAGES), size = ::sysconf(_SC_PAGE_SIZE);
    if (pages <= 0 || size <= 0) return 4.0 * (1 << 30);  // unknown: a small machine's
    return 0.5 * static_cast<double>(pages) * static_cast<double>(size);
}

}  // namespace vantor::premix
