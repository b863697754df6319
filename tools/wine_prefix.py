"""A throwaway Wine prefix in which Explorer is a recording stand-in.

Used by the end-to-end tests, the packaging tests, the benchmark and the
try-a-link command. Wine runs the real Windows executables; only Explorer is
replaced, by explorer_standin.exe, which records each command line it is
started with instead of opening a window.
"""

import os
import shutil
import subprocess
import tempfile
import time

RECORD = "C:\\smbopener-record.txt"


class WinePrefix:
    def __init__(self, standin, path=None):
        """Makes a new prefix (in `path`, or in a temporary folder that
        close() removes) with `standin` in place of Explorer."""
        self.owned = path is None
        self.path = path or tempfile.mkdtemp(prefix="smbopener-wine-")
        self.env = dict(os.environ,
                        WINEPREFIX=self.path,
                        WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=",
                        SMBOPENER_RECORD=RECORD)
        self.env.pop("DISPLAY", None)
        os.makedirs(self.path, exist_ok=True)
        self.log = open(os.path.join(self.path, "wine-output.log"), "ab")
        if not os.path.isdir(self.windows_path("C:\\windows")):
            self._call(["wineboot", "-i"], timeout=300)
            self.wait()
        self.env["WINEDLLOVERRIDES"] = "mscoree,mshtml=;explorer.exe=n"
        for place in ("C:\\windows\\system32\\explorer.exe",
                      "C:\\windows\\explorer.exe"):
            shutil.copyfile(standin, self.windows_path(place))

    def windows_path(self, path):
        """The host path of a path on the prefix's drive C:."""
        assert path[:3].upper() == "C:\\", path
        return os.path.join(self.path, "drive_c", *path[3:].split("\\"))

    def user_name(self):
        """The name of the prefix's user, as in C:\\users\\NAME."""
        users = os.listdir(self.windows_path("C:\\users"))
        return next(u for u in sorted(users) if u != "Public")

    def install(self, host_file, windows_file):
        target = self.windows_path(windows_file)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        shutil.copyfile(host_file, target)

    def _call(self, args, timeout=120, env=None):
        # Wine's helper processes inherit its output: a file, never a pipe
        # that would stay open after the command ends.
        return subprocess.call(args, env=env or self.env, stdout=self.log,
                               stderr=self.log, stdin=subprocess.DEVNULL,
                               timeout=timeout)

    def run(self, args, timeout=120, **extra_env):
        """Runs `wine ARGS...` and returns its exit status."""
        return self._call(["wine"] + list(args), timeout,
                          dict(self.env, **extra_env))

    def reg_tree(self, key):
        """The registry key and every key below it, as a dict from full key
        name to its values (a dict from value name, "" for the default
        value, to its text; a DWORD as "0x..."), or None if the key does not
        exist. Read from `reg export`, which writes Unicode, so that no
        letter is lost to a console code page."""
        export = "C:\\smbopener-reg-export.reg"
        if os.path.exists(self.windows_path(export)):
            os.remove(self.windows_path(export))
        if self._call(["wine", "reg", "export", key, export, "/y"]) != 0:
            return None
        with open(self.windows_path(export), "rb") as f:
            return parse_reg_export(f.read().decode("utf-16"))

    def start_exact(self, start_exact_exe, program, command_line,
                    show=None, new_console=False, output=None, **extra_env):
        """Starts `program` with exactly `command_line` through
        start_exact.exe (installed as C:\\start_exact.exe) and returns the
        program's exit status. A command line in bytes goes to
        CreateProcessA as it is; a text goes to CreateProcessW. With
        `new_console` the program gets a console of its own, as a
        double-click gives it; `output` (a Windows path) receives its
        output."""
        args = ["C:\\start_exact.exe"]
        if isinstance(command_line, str):
            args.append("/w")
            command_line = command_line.encode("utf-8")
        if new_console:
            args.append("/new-console")
        if output:
            args += ["/output", output]
        args += [program.encode("utf-8").hex(), command_line.hex()]
        if show is not None:
            args.append(str(show))
        # Installed every time: a prefix that is kept may hold an old one.
        self.install(start_exact_exe, args[0])
        return self.run(args, **extra_env)

    def clear_record(self):
        try:
            os.remove(self.windows_path(RECORD))
        except FileNotFoundError:
            pass

    def record(self):
        """What the stand-in Explorer recorded, Wine's desktop starts left
        out: a list of entries, each a dict with the 'command_line' bytes
        (GetCommandLineA), the 'wide_command_line' text (GetCommandLineW),
        the 'show' command (an int, or None) and whether it reached its
        'end' after sleeping."""
        try:
            with open(self.windows_path(RECORD), "rb") as f:
                lines = f.read().splitlines()
        except FileNotFoundError:
            return []
        starts = []
        for line in lines:
            words = line.split()
            if words and words[0] == b"start":
                starts.append({
                    "command_line": bytes.fromhex(words[1].decode()),
                    "show": None if words[2] == b"-" else int(words[2]),
                    "wide_command_line": bytes.fromhex(
                        words[3].decode()).decode("utf-8"),
                    "ended": False,
                })
            elif words == [b"end"] and starts:
                starts[-1]["ended"] = True
        return starts

    def wait_for_record(self, count, seconds=10):
        deadline = time.monotonic() + seconds
        while len(self.record()) < count and time.monotonic() < deadline:
            time.sleep(0.05)
        return self.record()

    def wait(self):
        """Waits until every process of the prefix has ended."""
        self._call(["wineserver", "-w"], timeout=300)

    def close(self):
        self._call(["wineserver", "-k"])
        self.log.close()
        if self.owned:
            shutil.rmtree(self.path, ignore_errors=True)


def parse_reg_export(text):
    """The keys and values of a `reg export` file, as reg_tree gives them."""
    tree, values = {}, None
    lines = text.splitlines()
    i = 0
    while i < len(lines):
        line = lines[i]
        while line.endswith("\\") and i + 1 < len(lines):  # continued hex
            i += 1
            line = line[:-1] + lines[i].strip()
        i += 1
        if line.startswith("[") and line.endswith("]"):
            values = tree.setdefault(line[1:-1], {})
            continue
        if values is None or not line or line[0] not in '@"':
            continue
        if line[0] == "@":
            name, rest = "", line[2:]
        else:
            name, end = _reg_string(line, 0)
            rest = line[end + 2:]  # behind the quote and the "="
        if rest.startswith('"'):
            values[name] = _reg_string(rest, 0)[0]
        elif rest.startswith("dword:"):
            values[name] = hex(int(rest[6:], 16))
        else:  # hex, hex(2) and the other binary forms
            kind, _, data = rest.partition(":")
            raw = bytes(int(b, 16) for b in data.split(",") if b)
            values[name] = (raw.decode("utf-16-le").rstrip("\0")
                            if kind in ("hex(2)", "hex(7)") else raw.hex())
    return tree


def _reg_string(line, start):
    """The text of the quoted string at `start`, and the index of its
    closing quote."""
    out, i = [], start + 1
    while line[i] != '"':
        if line[i] == "\\":
            i += 1
        out.append(line[i])
        i += 1
    return "".join(out), i


def explorer_parameters(command_line):
    """The parameters in a command line that starts Explorer (bytes, or
    text): what follows the program's name (quoted or not) and the one blank
    behind it."""
    if isinstance(command_line, bytes):
        return explorer_parameters(command_line.decode("latin-1")).encode(
            "latin-1")
    if command_line.startswith('"'):
        end = command_line.index('"', 1) + 1
    else:
        end = command_line.find(" ")
        end = len(command_line) if end < 0 else end
    name, rest = command_line[:end], command_line[end:]
    assert name.strip('"').lower().endswith("explorer.exe"), command_line
    return rest[1:] if rest.startswith(" ") else rest


def explorer_fields(parameters):
    """Explorer's reading of its parameters (bytes, or text): (switches,
    objects). Fields are separated by ',' and '='; a double-quoted stretch
    may hold both; quotes are otherwise dropped, and "" inside quotes is one
    quote; blanks and tabs at each field's ends are ignored; a field led by
    '/' is a switch, and Explorer opens the first of the other fields."""
    if isinstance(parameters, bytes):
        return tuple([f.encode("latin-1") for f in fields] for fields in
                     explorer_fields(parameters.decode("latin-1")))
    fields, field, quoted, i = [], "", False, 0
    while i < len(parameters):
        c = parameters[i]
        if c == '"':
            if quoted and parameters[i + 1:i + 2] == '"':
                field += c
                i += 1
            else:
                quoted = not quoted
        elif not quoted and c in ",=":
            fields.append(field)
            field = ""
        else:
            field += c
        i += 1
    fields = [f.strip(" \t") for f in fields + [field]]
    return ([f for f in fields if f.startswith("/")],
            [f for f in fields if f and not f.startswith("/")])
