#!/usr/bin/python3
"""A drag source on the X display, as a Linux file manager offers files: a small window whose
whole area can be dragged, offering the given file URIs with copy, move and link allowed.

Usage: drag_source.py LEFT TOP URI...  Prints "ready" once the window is on the screen and
"dropped" when a drag has ended."""
import sys

import gi

gi.require_version("Gtk", "3.0")
gi.require_version("Gdk", "3.0")
from gi.repository import Gdk, Gtk  # noqa: E402

left, top, uris = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3:]

window = Gtk.Window(title="drag source")
window.set_default_size(160, 80)
window.move(left, top)
area = Gtk.EventBox()
area.add(Gtk.Label(label="drag me"))
area.drag_source_set(Gdk.ModifierType.BUTTON1_MASK, [],
                     Gdk.DragAction.COPY | Gdk.DragAction.MOVE | Gdk.DragAction.LINK)
area.drag_source_add_uri_targets()
area.connect("drag-data-get", lambda _w, _c, data, _i, _t: data.set_uris(uris))
area.connect("drag-end", lambda *_: print("dropped", flush=True))
window.add(area)
window.connect("map-event", lambda *_: print("ready", flush=True))
window.connect("destroy", Gtk.main_quit)
window.show_all()
Gtk.main()
