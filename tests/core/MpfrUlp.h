#pragma once

// The MPFR reference shared by the arithmetic tests and the accuracy bench:
// a 256-bit number and the error of a long double against it in ulps.

#include "core/CalcValue.h"

#include <mpfr.h>

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace pexa::test {

inline constexpr mpfr_prec_t Precision = 256;

struct Mp {
    mpfr_t v;
    Mp() { mpfr_init2(v, Precision); }
    explicit Mp(Real x) : Mp() { mpfr_set_ld(v, x, MPFR_RNDN); }
    ~Mp() { mpfr_clear(v); }
    Mp(const Mp&) = delete;
    Mp& operator=(const Mp&) = delete;
};

// Error of got against the exact value, in units of the last place of a long
// double at the exact value's magnitude (subnormal spacing below the normal range).
inline double UlpError(Real got, const mpfr_t exact) {
    if (mpfr_zero_p(exact))
        return got == 0 ? 0.0 : HUGE_VAL;
    const long ulpExponent =
        std::max<long>(mpfr_get_exp(exact) - LDBL_MANT_DIG, LDBL_MIN_EXP - LDBL_MANT_DIG);
    Mp d(got);
    mpfr_sub(d.v, d.v, exact, MPFR_RNDN);
    mpfr_mul_2si(d.v, d.v, -ulpExponent, MPFR_RNDN);
    return std::fabs(mpfr_get_d(d.v, MPFR_RNDN));
}

} // namespace pexa::test
