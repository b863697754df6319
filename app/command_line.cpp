#include "app/command_line.h"

namespace {

bool IsBlankOrControl(char c) {
  return static_cast<unsigned char>(c) <= 0x20;
}

}  // namespace

const char* CommandLineTail(const char* command_line,
                            LeadByteTest is_lead_byte) {
  if (command_line == nullptr) return "";
  const char* p = command_line;
  bool quoted = false;
  while (*p != '\0' && (quoted || !IsBlankOrControl(*p))) {
    if (*p == '"') quoted = !quoted;
    if (is_lead_byte(static_cast<unsigned char>(*p)) && p[1] != '\0') ++p;
    ++p;
  }
  while (*p != '\0' && IsBlankOrControl(*p)) ++p;
  return p;
}
