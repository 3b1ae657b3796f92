#include "numeric/VectorRegisters.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define VELARIUM_ZERO_UPPER 1
#endif

namespace velarium {

#ifdef VELARIUM_ZERO_UPPER
namespace {
bool hasAvx() {
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx") != 0;
    }();
    return has;
}

__attribute__((target("avx"))) void zeroUpper() { _mm256_zeroupper(); }
}  // namespace

void clearUpperVectorHalves() {
    if (hasAvx()) zeroUpper();
}
#else
void clearUpperVectorHalves() {}
#endif

}  // namespace velarium
