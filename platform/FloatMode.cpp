#include "platform/FloatMode.h"

#if defined(__SSE__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 1)
#include <xmmintrin.h>
#define ZARNEL_HAVE_MXCSR 1
#endif

namespace zarnel {

void setAudioThreadFloatMode() {
#ifdef ZARNEL_HAVE_MXCSR
  // Flush-to-zero (bit 15) and denormals-are-zero (bit 6).
  _mm_setcsr(_mm_getcsr() | 0x8040);
#endif
}

}  // namespace zarnel
