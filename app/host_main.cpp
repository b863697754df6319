// The entry where there is no Windows start-up code: the process receives
// its arguments as a list, so the tail is that list joined with single blanks.

#include <string>

#include "link/smb_link.h"

int main(int argc, char** argv) {
  std::string tail;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) tail += ' ';
    tail += argv[i];
  }
  OpenSmbLink(tail.c_str());
  return 1;
}
