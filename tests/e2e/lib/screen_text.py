"""Prints what the learner reads on the top window of the running tavik,
through the accessibility tree: one line per label or text box that is on
screen, as "y<TAB>x<TAB>text", in reading order (top to bottom, left to
right; window coordinates). With --all, every window of the program; with
--boxes, only the text boxes, as "y<TAB>x<TAB>width<TAB>height<TAB>text";
with --tree, every node on screen as assistive technology sees it, in tree
order, as "role<TAB>name<TAB>description<TAB>states", states being those of
focused, focusable and checked that hold, comma-separated.
"""
import sys

import pyatspi

BOX_ROLES = {pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY}
READABLE_ROLES = BOX_ROLES | {pyatspi.ROLE_LABEL, pyatspi.ROLE_COMBO_BOX}
STATES = (("focused", pyatspi.STATE_FOCUSED), ("focusable", pyatspi.STATE_FOCUSABLE),
          ("checked", pyatspi.STATE_CHECKED))


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


def collect_tree(node, lines):
    try:
        states = node.getState()
        if not states.contains(pyatspi.STATE_SHOWING):
            return
        held = ",".join(word for word, state in STATES if states.contains(state))
        lines.append((node.getRoleName(), node.name, node.description, held))
        for index in range(node.childCount):
            collect_tree(node.getChildAtIndex(index), lines)
    except Exception:
        return


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
        if "--tree" in sys.argv:
            collect_tree(window, lines)
        else:
            collect(window, lines, "--boxes" in sys.argv)
            lines.sort()
        for line in lines:
            print("\t".join(str(field) for field in line))
    return 0


if __name__ == "__main__":
    sys.exit(main())
