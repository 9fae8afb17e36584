"""Reads the console's main window over the accessibility bus, as a screen reader does, and
checks that its controls are named and that its lists expose their headings and cells.

usage: a11y_bus_check.py APPLICATION-NAME TIMEOUT-SECONDS
"""
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

BUTTONS = {"Discovery", "Add to monitor list", "View trap", "Add item", "Delete item",
           "Configuration setting", "Password change", "Firmware upgrade", "Web access", "Exit"}
NAMED_ROLES = {"push button", "radio button", "check box", "text", "table", "progress bar"}


def find_application(name, timeout):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is not None and app.get_name() == name:
                return app
        time.sleep(0.2)
    return None


def walk(node, depth=0):
    """Every node under node, tables' cells left out (they are read through the table)."""
    yield node
    if depth > 12 or node.get_role_name() == "table":
        return
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield from walk(child, depth + 1)


def main():
    name, timeout = sys.argv[1], float(sys.argv[2])
    app = find_application(name, timeout)
    if app is None:
        print(f"a11y: no application {name} on the accessibility bus")
        return 1
    failures = []
    nodes = list(walk(app))
    windows = [n.get_name() for n in nodes if n.get_role_name() in ("dialog", "frame")]
    if "Vantelo Utility" not in windows:
        failures.append(f"no window 'Vantelo Utility' among {windows}")
    buttons = {n.get_name() for n in nodes if n.get_role_name() == "push button"}
    if not BUTTONS <= buttons:
        failures.append(f"buttons missing: {sorted(BUTTONS - buttons)}")
    for node in nodes:
        if node.get_role_name() in NAMED_ROLES and not node.get_name().strip():
            failures.append(f"a {node.get_role_name()} without a name")
    tables = {n.get_name(): n for n in nodes if n.get_role_name() == "table"}
    monitor = tables.get("Monitor List")
    if monitor is None or "Discovery List" not in tables:
        failures.append(f"lists: {sorted(tables)}")
    else:
        table = Atspi.Table
        columns = table.get_n_columns(monitor)
        headings = [table.get_column_description(monitor, c) for c in range(columns)]
        if headings[:3] != ["S", "IP Address", "MAC Address"]:
            failures.append(f"monitor list headings: {headings}")
        rows = table.get_n_rows(monitor)
        addresses = [table.get_accessible_at(monitor, r, 1).get_name() for r in range(rows)]
        statuses = [table.get_accessible_at(monitor, r, 0).get_name() for r in range(rows)]
        if rows < 4 or not all(a.startswith("10.77.") for a in addresses):
            failures.append(f"monitor list cells: {addresses}")
        if "Not alive" not in statuses:
            failures.append(f"monitor list status cells: {statuses}")
    for failure in failures:
        print(f"a11y: {failure}")
    print(f"a11y: {len(nodes)} nodes, {len(buttons)} buttons, lists {sorted(tables)}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
