#include "persistence/DefinitionCipher.h"

namespace vantelo {

namespace {

bool IsEnciphered(uint8_t c) {
    // Read as a signed byte, so codes from 128 up count as below 32.
    return static_cast<int8_t>(c) >= 32;
}

}  // namespace

int ExtendedEuclid(int a, int b, int* x, int* y) {
    int oldR = a, r = b;
    int oldX = 1, curX = 0;
    int oldY = 0, curY = 1;
    while (r != 0) {
        int q = oldR / r;
        int t = oldR - q * r;
        oldR = r;
        r = t;
        t = oldX - q * curX;
        oldX = curX;
        curX = t;
        t = oldY - q * curY;
        oldY = curY;
        curY = t;
    }
    *x = oldX;
    *y = oldY;
    return oldR;
}

int AffineInverse(int value, int modulus, int multiplier, int offset) {
    int x = 0;
    int inverse = 0;
    ExtendedEuclid(modulus, multiplier, &x, &inverse);
    if (inverse < 0) {
        inverse += modulus;
    }
    int t = ((modulus - offset) * inverse) % modulus;
    return (value * inverse + t) % modulus;
}

uint8_t DecipherChar(uint8_t c) {
    if (!IsEnciphered(c)) {
        return c;
    }
    int plain = AffineInverse(c - 32, kCipherModulus, kCipherMultiplier, kCipherOffset);
    return static_cast<uint8_t>(32 + plain);
}

uint8_t EncipherChar(uint8_t c) {
    if (!IsEnciphered(c)) {
        return c;
    }
    return static_cast<uint8_t>(32 +
                                (kCipherMultiplier * (c - 32) + kCipherOffset) % kCipherModulus);
}

int DefinitionChecksum(const uint8_t* bytes, size_t count) {
    uint16_t sum = 0;
    for (size_t i = 0; i < count; ++i) {
        sum = static_cast<uint16_t>(sum + bytes[i]);
    }
    for (int fold = 0; fold < 2; ++fold) {
        sum = static_cast<uint16_t>((sum & 0xFF) + (sum >> 8));
    }
    return sum;
}

}  // namespace vantelo
