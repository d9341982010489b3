"""Prints the accessibility tree of the running tavik's top window (or, with
--all, of every window) as assistive technology sees it: one line per node
on screen, "role<TAB>name<TAB>description<TAB>states", states being those of
focused, focusable and checked that hold, comma-separated.
"""
import sys

import pyatspi

STATES = (("focused", pyatspi.STATE_FOCUSED), ("focusable", pyatspi.STATE_FOCUSABLE),
          ("checked", pyatspi.STATE_CHECKED))


def collect(node, lines):
    try:
        states = node.getState()
        if not states.contains(pyatspi.STATE_SHOWING):
            return
        held = ",".join(word for word, state in STATES if states.contains(state))
        lines.append(f"{node.getRoleName()}\t{node.name}\t{node.description}\t{held}")
        for index in range(node.childCount):
            collect(node.getChildAtIndex(index), lines)
    except Exception:
        return


def main():
    windows = []
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "tavik":
            for index in range(app.childCount):
                window = app.getChildAtIndex(index)
                if window.getState().contains(pyatspi.STATE_SHOWING):
                    windows.append(window)
    if not windows:
        return 1
    lines = []
    for window in windows if "--all" in sys.argv else windows[-1:]:
        collect(window, lines)
    print("\n".join(lines))
    return 0


if __name__ == "__main__":
    sys.exit(main())
