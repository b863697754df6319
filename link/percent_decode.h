#ifndef SMBOPENER_LINK_PERCENT_DECODE_H_
#define SMBOPENER_LINK_PERCENT_DECODE_H_

#include <array>
#include <cstddef>

// Capacity of the decoded link text and of the UNC path built from it,
// terminator included.
constexpr std::size_t LINK_BUFFER_SIZE = 500;

// Replaces every percent escape in `tail` (a NUL-terminated byte string) with
// the byte it denotes and returns the decoded text, NUL-terminated.
//
// An escape is '%' and the two bytes after it, read as the number "0x0" c1 c2
// would give in base 16: both hex digits give their value, a hex c1 alone
// gives c1's value, anything else gives 0. A 0 ends the decoded text. Every
// other byte, '+' included, is kept as it is; nothing is converted between
// character sets.
//
// The scan never reads past the terminator: a '%' among the last two bytes
// takes only the bytes that are there. A decoded text longer than
// LINK_BUFFER_SIZE - 1 bytes does not fit and is returned empty.
std::array<char, LINK_BUFFER_SIZE> PercentDecode(const char* tail);

#endif  // SMBOPENER_LINK_PERCENT_DECODE_H_
