#ifndef SMBOPENER_LINK_UTF8_H_
#define SMBOPENER_LINK_UTF8_H_

// Tells whether `text` (a NUL-terminated byte string) is to be read as UTF-8:
// it holds at least one byte of 0x80 or above, and the whole text is
// well-formed UTF-8 (RFC 3629: no overlong form, no surrogate U+D800 to
// U+DFFF, nothing above U+10FFFF, no sequence cut short). ASCII alone is no
// reason to leave the ANSI code page, and a text that is not UTF-8 as a whole
// is a legacy ANSI one.
bool IsNonAsciiUtf8(const char* text);

#endif  // SMBOPENER_LINK_UTF8_H_
