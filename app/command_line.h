#ifndef SMBOPENER_APP_COMMAND_LINE_H_
#define SMBOPENER_APP_COMMAND_LINE_H_

// Tells whether a byte is the lead byte of a double-byte character in the
// code page the command line is written in.
using LeadByteTest = bool (*)(unsigned char byte);

// Returns the command-line tail: what follows the program's name and the
// blanks behind it, unparsed, as a pointer into `command_line`.
//
// The name runs up to the first byte of 0x20 or below that stands outside
// double quotes; a quote toggles the quoted state and belongs to the name,
// and a lead byte takes the byte after it along. Then every byte of 0x20 or
// below is skipped. A null command line gives an empty tail. Nothing is read
// past the terminator, not even behind a lead byte.
const char* CommandLineTail(const char* command_line, LeadByteTest is_lead_byte);

#endif  // SMBOPENER_APP_COMMAND_LINE_H_
