// The Windows entry: open the link in the command-line tail, then end with
// status 1. No window, no console, no message, and no waiting for Explorer.

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "app/command_line.h"
#include "link/smb_link.h"

namespace {

bool IsAnsiLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != 0; }

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // The tail is cut from the raw command line by our own rule rather than
  // taken from the runtime's start-up code, whose cut varies by toolchain.
  OpenSmbLink(CommandLineTail(GetCommandLineA(), IsAnsiLeadByte));
  return 1;
}
