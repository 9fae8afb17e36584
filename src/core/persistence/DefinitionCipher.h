#pragma once

#include <cstddef>
#include <cstdint>

namespace vantelo {

// The affine character cipher of the definition file: codes 32..127 are permuted, all others
// pass unchanged.
inline constexpr int kCipherModulus = 96;
inline constexpr int kCipherMultiplier = 85;
inline constexpr int kCipherOffset = 29;

// a*x + b*y = gcd(a, b); writes both Bezout coefficients and returns the gcd.
int ExtendedEuclid(int a, int b, int* x, int* y);

// The plain value p in 0..modulus-1 for which (multiplier*p + offset) mod modulus == value.
int AffineInverse(int value, int modulus, int multiplier, int offset);

uint8_t DecipherChar(uint8_t c);
uint8_t EncipherChar(uint8_t c);

// Sum of the bytes in 16 bits, folded twice into low byte plus high byte; a file needs 255.
int DefinitionChecksum(const uint8_t* bytes, size_t count);

}  // namespace vantelo
