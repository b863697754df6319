// Fuzzes the command-line cut: arbitrary bytes as a whole command line, with
// a double-byte lead-byte table switched on by the first input byte. The tail
// must always be a suffix of the command line that starts with no byte of
// 0x20 or below, and nothing may be read past the terminator.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "app/command_line.h"

namespace {

bool NoLeadBytes(unsigned char) { return false; }

// The lead bytes of the Japanese double-byte code page (932).
bool Cp932LeadByte(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

void Require(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  if (size == 0) return 0;
  const LeadByteTest is_lead_byte = data[0] & 1 ? Cp932LeadByte : NoLeadBytes;
  const char* bytes = reinterpret_cast<const char*>(data + 1);
  const std::size_t length = strnlen(bytes, size - 1);
  std::unique_ptr<char[]> line(new char[length + 1]);
  std::memcpy(line.get(), bytes, length);
  line[length] = '\0';

  const char* tail = CommandLineTail(line.get(), is_lead_byte);
  Require(tail >= line.get() && tail <= line.get() + length);
  Require(*tail == '\0' || static_cast<unsigned char>(*tail) > 0x20);
  // The name is never empty unless the line is: the first byte belongs to it.
  Require(length == 0 || tail > line.get());
  return 0;
}
