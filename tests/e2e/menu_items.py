#!/usr/bin/env python3
"""Reads back the tray menus a program showed, from Wine's menu trace
(WINEDEBUG=trace+menu) in its log: Wine keeps a menu's items inside the
process that owns it, so this trace is how another process sees them.

    menu_items.py LOG           the last menu shown: "ID CHECKED DISABLED TEXT" a line,
                                "0 0 0 -" for a separator
    menu_items.py --count LOG   how many menus were shown
"""
import re
import sys

INSERT = re.compile(r"trace:menu:InsertMenuW hMenu ([0-9A-Fa-f]+), pos -?\d+, flags ([0-9A-Fa-f]+), "
                    r"id ([0-9A-Fa-f]+), str (.*)$")
DRAWN = re.compile(r"trace:menu:draw_menu_item ")
MF_CHECKED, MF_GRAYED, MF_DISABLED, MF_SEPARATOR = 0x8, 0x1, 0x2, 0x800


def decode(text):
    """Undoes Wine's debugstr_w: L"..." with \\n, \\", \\\\ and \\XXXX (or \\xXXXX) escapes."""
    if not text.startswith('L"'):
        return None
    body = text[2:text.rfind('"')]
    out, i = [], 0
    while i < len(body):
        c = body[i]
        if c != "\\":
            out.append(c)
            i += 1
            continue
        rest = body[i + 1:]
        m = re.match(r"x?([0-9a-fA-F]{4})", rest)
        if m:
            out.append(chr(int(m.group(1), 16)))
            i += 1 + len(m.group(0))
        else:
            out.append({"n": "\n", "r": "\r", "t": "\t"}.get(rest[:1], rest[:1]))
            i += 2
    return "".join(out)


def shown_menus(lines):
    menus, current, handle, closed = [], None, None, True
    for line in lines:
        m = INSERT.search(line)
        if m:
            if closed or m.group(1) != handle:
                current = {"items": [], "shown": False}
                menus.append(current)
                handle, closed = m.group(1), False
            flags, ident = int(m.group(2), 16), int(m.group(3), 16)
            current["items"].append((flags, ident, decode(m.group(4).strip())))
        elif DRAWN.search(line) and current is not None:
            current["shown"] = True
            closed = True
    return [menu for menu in menus if menu["shown"]]


def main(argv):
    count = argv[1:2] == ["--count"]
    path = argv[2] if count else argv[1]
    with open(path, encoding="utf-8", errors="replace") as log:
        menus = shown_menus(log)
    if count:
        print(len(menus))
        return 0
    if not menus:
        return 1
    for flags, ident, text in menus[-1]["items"]:
        if flags & MF_SEPARATOR:
            print("0 0 0 -")
        else:
            print(ident, 1 if flags & MF_CHECKED else 0, 1 if flags & (MF_GRAYED | MF_DISABLED) else 0, text)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
