"""Prints what the learner reads on the top window of the running tavik,
through the accessibility tree: one line per label or text box that is on
screen, as "y<TAB>x<TAB>text", in reading order (top to bottom, left to
right; window coordinates). With --all, every window of the program; with
--boxes, only the text boxes, as "y<TAB>x<TAB>width<TAB>height<TAB>text".
"""
import sys

import pyatspi

BOX_ROLES = {pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY}
READABLE_ROLES = BOX_ROLES | {pyatspi.ROLE_LABEL, pyatspi.ROLE_COMBO_BOX}


def shown_text(node):
    if node.getRole() in BOX_ROLES:
        text = node.queryText()
        return text.getText(0, -1)
    return node.name


def collect(node, lines, boxes_only):
    try:
        showing = node.getState().contains(pyatspi.STATE_SHOWING)
        role = node.getRole()
    except Exception:
        return
    if not showing:
        return
    if role in READABLE_ROLES:
        extents = node.queryComponent().getExtents(pyatspi.WINDOW_COORDS)
        text = shown_text(node)
        if boxes_only:
            if role in BOX_ROLES:
                width, height = node.queryComponent().getSize()
                lines.append((extents.y, extents.x, width, height, text))
        elif text:
            lines.append((extents.y, extents.x, text))
        if role == pyatspi.ROLE_COMBO_BOX:
            return
    for index in range(node.childCount):
        collect(node.getChildAtIndex(index), lines, boxes_only)


def main():
    desktop = pyatspi.Registry.getDesktop(0)
    windows = []
    for app in desktop:
        if app is not None and app.name == "tavik":
            for index in range(app.childCount):
                window = app.getChildAtIndex(index)
                if window.getState().contains(pyatspi.STATE_SHOWING):
                    windows.append(window)
    if not windows:
        return 1
    for window in windows if "--all" in sys.argv else windows[-1:]:
        lines = []
        collect(window, lines, "--boxes" in sys.argv)
        for line in sorted(lines):
            print("\t".join(str(field) for field in line))
    return 0


if __name__ == "__main__":
    sys.exit(main())
