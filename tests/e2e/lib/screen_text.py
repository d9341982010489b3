"""Prints what the learner reads on the top window of the running tavik,
through the accessibility tree: one line per label or text box that is on
screen, as "y<TAB>x<TAB>text", in reading order (top to bottom, left to
right; window coordinates). With --all, every window of the program; with
--boxes, only the text boxes, as "y<TAB>x<TAB>width<TAB>height<TAB>text";
with --tree, every node on screen as assistive technology sees it, in tree
order, as "role<TAB>name<TAB>description<TAB>states", states being those of
focused, focusable, checked and editable that hold, comma-separated; with
--exposed, as --tree the window's own controls, on screen or not, with
"showing" among their states where they are. A label said otherwise than it reads (a figure
with what it counts) shows its text.
"""
import sys

import pyatspi

BOX_ROLES = {pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY}
READABLE_ROLES = BOX_ROLES | {pyatspi.ROLE_LABEL, pyatspi.ROLE_COMBO_BOX}
STATES = (("focused", pyatspi.STATE_FOCUSED), ("focusable", pyatspi.STATE_FOCUSABLE),
          ("checked", pyatspi.STATE_CHECKED), ("editable", pyatspi.STATE_EDITABLE))


def shown_text(node):
    try:
        return node.queryText().getText(0, -1)
    except NotImplementedError:
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


def collect_tree(node, lines, depth=None):
    """Every node on screen, or with a depth every node that deep or less."""
    try:
        states = node.getState()
        showing = states.contains(pyatspi.STATE_SHOWING)
        if not showing and depth is None:
            return
        held = [word for word, state in STATES if states.contains(state)]
        if depth is not None and showing:
            held.append("showing")
        lines.append((node.getRoleName(), node.name, node.description, ",".join(held)))
        if depth == 0:
            return
        for index in range(node.childCount):
            collect_tree(node.getChildAtIndex(index), lines, None if depth is None else depth - 1)
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
        elif "--exposed" in sys.argv:
            collect_tree(window, lines, depth=1)
        else:
            collect(window, lines, "--boxes" in sys.argv)
            lines.sort()
        for line in lines:
            print("\t".join(str(field) for field in line))
    return 0


if __name__ == "__main__":
    sys.exit(main())
