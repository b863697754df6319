#ifndef SMBOPENER_LINK_EXPLORER_PARAMETERS_H_
#define SMBOPENER_LINK_EXPLORER_PARAMETERS_H_

#include <string>

// Returns the parameter text that makes Explorer show `unc_path` (a
// NUL-terminated byte string that begins with two backslashes), or an empty
// text when nothing may be launched for it.
//
// Explorer reads its parameters as fields separated by ',' and '='; a field
// in double quotes may hold both, quotes are otherwise dropped, a field led
// by '/' is a switch, and the first other field is the object it opens, as a
// double-click would. So:
//  - a path into the device namespace (server "." or "?") is refused;
//  - a path that holds a double quote is refused: no name on Windows can hold
//    one, and Explorer would read a different path than the one checked;
//  - a path whose last segment names a file that runs code (a program, a
//    script, a shortcut, an installer, ...) is shown selected in its folder:
//    "/select," and the path;
//  - a path that holds ',' or '=' is put in double quotes.
// Any other path is returned exactly as it is.
//
// The path is read as bytes, which holds in every code page: the trail bytes
// of double-byte characters are 0x40 and above, so ',', '=', '"' and '.' are
// always themselves, and a '\' that is a trail byte can only make the last
// segment look shorter, never hide its type.
std::string ExplorerParameters(const char* unc_path);

#endif  // SMBOPENER_LINK_EXPLORER_PARAMETERS_H_
