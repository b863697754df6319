#ifndef SMBOPENER_LINK_SMB_LINK_H_
#define SMBOPENER_LINK_SMB_LINK_H_

// Opens an smb link in Explorer. `tail` is the command-line tail: the link as
// the program received it, percent escapes and all. It may be null.
//
// The tail is percent-decoded; if the decoded text begins with "smb://"
// (lower case), the run of slashes after "smb:" is dropped, the rest is
// copied behind two backslashes with every '/' turned into '\', and the shell
// is asked to open "explorer.exe" with what ExplorerParameters makes of that
// UNC path: the path itself, quoted where it holds ',' or '=', behind
// "/select," where it names a program; a path into the device namespace or
// with a double quote is refused. Parameters that hold UTF-8 (as links from
// the web spell names outside ASCII) go to the shell as UTF-8, all others in
// the ANSI code page. Anything else is ignored. Nothing is reported either
// way.
void OpenSmbLink(const char* tail);

#endif  // SMBOPENER_LINK_SMB_LINK_H_
