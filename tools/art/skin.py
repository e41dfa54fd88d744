#!/usr/bin/python3
"""Draws the viewer's skin: every "IMAGE" resource of the program.

Run by hand with /usr/bin/python3 (it needs PIL); its output is committed:
  resources/images/<id>.png      one picture per resource id
  resources/images.rc            the resource lines, included by resources/Tarvo_Viewer.rc
  resources/images/sizes.def     id, width and height of every picture, read by the resource test
  resources/images/README.md     the table of every picture: role, where it is drawn, size
  docs/skin-contact-sheet.png    every picture with its id, for review at a glance
  docs/skin-preview.png          the pictures put together as the panels place them
"""
import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))

import skinkit as K  # noqa: E402
import skinparts as P  # noqa: E402
from skincatalogue import catalogue  # noqa: E402
from skinsheet import contact_sheet  # noqa: E402
from skinpreview import preview  # noqa: E402

ROOT = pathlib.Path(__file__).resolve().parents[2]
IMAGES = ROOT / "resources" / "images"
GENERATOR = "tools/art/skin.py"


def write_if_changed(path, data):
    """Keeps unchanged files untouched, so a rerun does not force the resources to recompile."""
    data = data if isinstance(data, bytes) else data.encode("utf-8")
    if path.exists() and path.read_bytes() == data:
        return False
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes(data)
    return True


def check(entries, pictures):
    ids = [e.id for e in entries]
    assert len(ids) == len(set(ids)), "an id is listed twice"
    for e in entries:
        assert pictures[e.id].size == e.size, f"{e.id}: drawn {pictures[e.id].size}, listed {e.size}"
    # Readouts place glyphs side by side at one top edge: a glyph set shares one height.
    for first, last in ((224, 235), (250, 261), (236, 249)):
        heights = {pictures[i].height for i in range(first, last + 1)}
        assert len(heights) == 1, f"glyphs {first}..{last} differ in height: {heights}"


def rc_text(entries):
    lines = [f"// Written by {GENERATOR}: the skin, one \"IMAGE\" resource per picture.\n"]
    lines += [f'{e.id} IMAGE "images/{e.id}.png"\n' for e in sorted(entries, key=lambda e: e.id)]
    return "".join(lines)


def sizes_text(entries):
    lines = [f"// Written by {GENERATOR}: every \"IMAGE\" resource with its width and height.\n"]
    lines += [f"TARVO_IMAGE({e.id}, {e.size[0]}, {e.size[1]})\n"
              for e in sorted(entries, key=lambda e: e.id)]
    return "".join(lines)


def readme_text(entries):
    head = f"""# The skin

Every picture of the viewer's "IMAGE" resources, drawn by `{GENERATOR}` (run it with
`/usr/bin/python3`; it rewrites the pictures, `../images.rc`, `sizes.def`, this table and
`docs/skin-contact-sheet.png`). Review them at a glance in `docs/skin-contact-sheet.png`; see them
put together as the panels place them in `docs/skin-preview.png`.

The viewer copies these pictures opaquely (no alpha blending), so each one carries the panel pixels
it covers: button faces, glyphs, marks and labels are drawn over a copy of their panel. Every file is
an opaque PNG (palette where 256 colours suffice).

Sizes marked *fixed* follow from a rectangle the layout gives; *chosen* ones were picked here to fit
the rectangles around them, as the note says. The main window's client area is taken as
{P.WINDOW_W} x {P.WINDOW_H} (its start size); pieces that are stretched or tiled fit any larger size.

| Id | Role | Drawn | Size | Size source |
|---:|---|---|---|---|
"""
    rows = [f"| {e.id} | {e.role} | {e.where} | {e.size[0]} x {e.size[1]} | {e.source} |\n"
            for e in sorted(entries, key=lambda e: e.id)]
    return head + "".join(rows)


def main():
    entries = catalogue()
    pictures = {e.id: e.paint() for e in entries}
    check(entries, pictures)
    changed = 0
    for e in entries:
        changed += write_if_changed(IMAGES / f"{e.id}.png", K.png_bytes(pictures[e.id]))
    stale = {p.name for p in IMAGES.glob("*.png")} - {f"{e.id}.png" for e in entries}
    for name in stale:
        (IMAGES / name).unlink()
    write_if_changed(ROOT / "resources" / "images.rc", rc_text(entries))
    write_if_changed(IMAGES / "sizes.def", sizes_text(entries))
    write_if_changed(IMAGES / "README.md", readme_text(entries))
    write_if_changed(ROOT / "docs" / "skin-contact-sheet.png",
                     K.png_bytes(contact_sheet(entries, pictures)))
    write_if_changed(ROOT / "docs" / "skin-preview.png", K.png_bytes(preview(pictures)))
    total = sum((IMAGES / f"{e.id}.png").stat().st_size for e in entries)
    print(f"{len(entries)} pictures, {changed} changed, {len(stale)} removed, {total} bytes")


if __name__ == "__main__":
    main()
