#!/usr/bin/env python3
"""Draws proof sheets: the built pictures with the game's numbers over them,
so an artist can see at a glance whether the floor, the hotspots, the click
spots and the furniture overlays sit on the things they stand for.

    python3 tools/proof_sheets.py --resources <build>/Resources --out <build>/proof

A room view with a floor gets two sheets: "<view>" with the hotspots, the
click spots and the overlay frames, and "<view>_walk" with the floor, where
the feet go, and the hero at the listed places.

Every *.txt file in the data folder (default: assets/proof/ beside this
script) is read; each describes one or more sheets and every sheet becomes
one PNG in --out named "<file stem>_<sheet name>.png".

DATA FORMAT
-----------
One directive a line, fields separated by blanks; '#' starts a comment.
Units:
  world  = game units: origin at the window centre, x right, y UP.
  window = window pixels (800 x 600): origin top-left, y DOWN.
A room view (800 x 400) is drawn centred at the origin, so it covers window
y 100..500.  Bounds are inclusive; '*' stands for an open side.

Room view sheets:
  view <n> <image under Resources/> [title ...]
        Starts sheet "view<n>".  The lines up to the next sheet belong to it.
  floor <xmin> <ymin> <xmax> <ymax>
        world, the hero's CENTRE; the floor is the union of these boxes.
  block <xmin> <ymin> <xmax> <ymax>
        world, the hero's centre; an obstacle taken out of the floor.
  hotspot <id> <label> <xmin> <ymin> <xmax> <ymax>
        world, the hero's centre; drawn where it meets the floor.
  click <id> <label> <left> <top> <right> <bottom>
        window pixels.
  overlay <label> <image under Resources/> <x> <y> <w> <h> <under|over>
        world centre and size; "under" is drawn below the hero, "over" on top.
  hero <x> <y> [label ...]
        world: the hero centred here, shown as its sprite box and figure.
        Unlabelled ones (say, the corners of the floor) go on the walk sheet,
        labelled ones (standing at a hotspot) on the spots sheet.
  sprite <box w> <box h> <figure w> <figure h> [image under Resources/]
        the hero's sprite box and the figure inside it, feet at the bottom
        edge (default 190 130 65 120); with an image, the hero is drawn with
        it instead of a stand-in figure.

Rings sheets (the rings puzzle):
  rings <name> <background under Resources/> [title ...]
        Starts a rings sheet; the background fills the window.
  ring <image under Resources/>
        one ring image, 300 x 300 centred at the window centre; rings are
        drawn in the order given (the last one on top).
  pose <name> <angle> ...
        one angle per ring, in ring order, in degrees counter-clockwise;
        each pose becomes its own PNG, "<file stem>_<sheet>_<pose>.png".

Maze sheets (the maze mini-game):
  maze <name> <maze file under Resources/> [title ...]
        Starts a maze sheet: the grid (row 0 at the bottom, as the game
        shows it), the shortest walk from the hero to every pickup with its
        length in cells and seconds at the hero's 4 cells per second, and
        each monster's corridor, the stretch of its row it patrols.

To add a new kind of sheet: add its directives to DIRECTIVES
with a parse function, and its kind to RENDERERS with a render function that
returns [(file suffix, svg text)].

Needs Python 3 and rsvg-convert; nothing else.
"""

import argparse
import base64
import html
import os
import subprocess
import sys

WINDOW_W, WINDOW_H = 800, 600
VIEW_TOP = 100                       # window y of a room view's top edge
TITLE_STRIP = 40                     # extra strip under a rings sheet
FONT = 'font-family="Cabin" font-weight="bold"'

FLOOR_COLOUR = "#4CC36A"
FEET_COLOUR = "#F2D335"
HOTSPOT_COLOURS = ["#3FC7C0", "#E0567A", "#F27BC8", "#F2D335", "#3B7BE2", "#FFFFFF"]
CLICK_COLOUR = "#F27BC8"
OVERLAY_COLOUR = "#FFFFFF"


class DataError(Exception):
    """A line of a data file that cannot be understood; names file and line."""


# ------------------------------------------------------------ geometry

def world_to_window(x, y):
    return x + WINDOW_W / 2, WINDOW_H / 2 - y


def world_box_to_window(xmin, ymin, xmax, ymax):
    """Window rectangle (left, top, width, height) of a world box."""
    left, top = world_to_window(xmin, ymax)
    right, bottom = world_to_window(xmax, ymin)
    return left, top, right - left, bottom - top


def intersect(a, b):
    """Intersection of two (xmin, ymin, xmax, ymax) boxes, or None.  A box
    that shrinks to a line is kept: a hotspot can be a single column."""
    box = (max(a[0], b[0]), max(a[1], b[1]), min(a[2], b[2]), min(a[3], b[3]))
    if box[0] > box[2] or box[1] > box[3]:
        return None
    return box


def subtract(box, hole):
    """Parts of box outside hole, as up to four boxes."""
    cut = intersect(box, hole)
    if cut is None or cut[0] == cut[2] or cut[1] == cut[3]:
        return [box]
    xmin, ymin, xmax, ymax = box
    parts = [(xmin, ymin, cut[0], ymax), (cut[2], ymin, xmax, ymax),
             (cut[0], ymin, cut[2], cut[1]), (cut[0], cut[3], cut[2], ymax)]
    return [p for p in parts if p[0] < p[2] and p[1] < p[3]]


def floor_boxes(sheet):
    boxes = list(sheet["floor"])
    for hole in sheet["block"]:
        boxes = [part for box in boxes for part in subtract(box, hole)]
    return boxes


# ------------------------------------------------------------ parsing

def number(text, where, open_value=None):
    if text == "*" and open_value is not None:
        return open_value
    try:
        return float(text)
    except ValueError:
        raise DataError(f"{where}: '{text}' is not a number")


def box_fields(fields, where, allow_open=False):
    if len(fields) != 4:
        raise DataError(f"{where}: expected xmin ymin xmax ymax")
    big = 1e6
    opens = (-big, -big, big, big) if allow_open else (None,) * 4
    box = tuple(number(f, where, o) for f, o in zip(fields, opens))
    if box[0] > box[2] or box[1] > box[3]:
        raise DataError(f"{where}: the box is upside down")
    return box


def new_sheet(kind, name, image, title):
    return {"kind": kind, "name": name, "image": image, "title": title,
            "floor": [], "block": [], "hotspot": [], "click": [], "overlay": [],
            "hero": [], "sprite": (190.0, 130.0, 65.0, 120.0), "hero_image": None,
            "ring": [], "pose": []}


def parse_view(sheets, fields, where):
    if len(fields) < 2:
        raise DataError(f"{where}: expected view <n> <image> [title]")
    sheets.append(new_sheet("view", "view" + fields[0], fields[1], " ".join(fields[2:])))


def parse_rings(sheets, fields, where):
    if len(fields) < 2:
        raise DataError(f"{where}: expected rings <name> <background> [title]")
    sheets.append(new_sheet("rings", fields[0], fields[1], " ".join(fields[2:])))


def current(sheets, where, kind):
    if not sheets or sheets[-1]["kind"] != kind:
        raise DataError(f"{where}: this line belongs inside a '{kind}' sheet")
    return sheets[-1]


def parse_floor(sheets, fields, where):
    current(sheets, where, "view")["floor"].append(box_fields(fields, where))


def parse_block(sheets, fields, where):
    current(sheets, where, "view")["block"].append(box_fields(fields, where))


def parse_hotspot(sheets, fields, where):
    if len(fields) != 6:
        raise DataError(f"{where}: expected hotspot <id> <label> xmin ymin xmax ymax")
    box = box_fields(fields[2:], where, allow_open=True)
    current(sheets, where, "view")["hotspot"].append((fields[0], fields[1], box))


def parse_click(sheets, fields, where):
    if len(fields) != 6:
        raise DataError(f"{where}: expected click <id> <label> left top right bottom")
    left, top, right, bottom = (number(f, where) for f in fields[2:])
    if left > right or top > bottom:
        raise DataError(f"{where}: the rectangle is upside down")
    current(sheets, where, "view")["click"].append((fields[0], fields[1], (left, top, right, bottom)))


def parse_overlay(sheets, fields, where):
    if len(fields) != 7 or fields[6] not in ("under", "over"):
        raise DataError(f"{where}: expected overlay <label> <image> x y w h under|over")
    x, y, w, h = (number(f, where) for f in fields[2:6])
    current(sheets, where, "view")["overlay"].append((fields[0], fields[1], x, y, w, h, fields[6]))


def parse_hero(sheets, fields, where):
    if len(fields) < 2:
        raise DataError(f"{where}: expected hero <x> <y> [label]")
    x, y = number(fields[0], where), number(fields[1], where)
    current(sheets, where, "view")["hero"].append((x, y, " ".join(fields[2:])))


def parse_sprite(sheets, fields, where):
    if len(fields) not in (4, 5):
        raise DataError(f"{where}: expected sprite <box w> <box h> <figure w> <figure h> [image]")
    sheet = current(sheets, where, "view")
    sheet["sprite"] = tuple(number(f, where) for f in fields[:4])
    sheet["hero_image"] = fields[4] if len(fields) == 5 else None


def parse_ring(sheets, fields, where):
    if len(fields) != 1:
        raise DataError(f"{where}: expected ring <image>")
    current(sheets, where, "rings")["ring"].append(fields[0])


def parse_pose(sheets, fields, where):
    sheet = current(sheets, where, "rings")
    if len(fields) != 1 + len(sheet["ring"]):
        raise DataError(f"{where}: expected pose <name> and one angle per ring "
                        f"({len(sheet['ring'])} rings so far)")
    sheet["pose"].append((fields[0], [number(f, where) for f in fields[1:]]))


def parse_maze(sheets, fields, where):
    if len(fields) < 2:
        raise DataError(f"{where}: expected maze <name> <maze file> [title]")
    sheets.append(new_sheet("maze", fields[0], fields[1], " ".join(fields[2:])))


DIRECTIVES = {
    "view": parse_view, "floor": parse_floor, "block": parse_block,
    "hotspot": parse_hotspot, "click": parse_click, "overlay": parse_overlay,
    "hero": parse_hero, "sprite": parse_sprite,
    "rings": parse_rings, "ring": parse_ring, "pose": parse_pose,
    "maze": parse_maze,
}


def parse_file(path):
    sheets = []
    with open(path, encoding="utf-8") as f:
        for number_, line in enumerate(f, 1):
            fields = line.split("#", 1)[0].split()
            if not fields:
                continue
            where = f"{path}:{number_}"
            handler = DIRECTIVES.get(fields[0])
            if handler is None:
                raise DataError(f"{where}: unknown directive '{fields[0]}'")
            handler(sheets, fields[1:], where)
    return sheets


# ------------------------------------------------------------ drawing

def image_href(resources, rel):
    path = os.path.join(resources, rel)
    try:
        with open(path, "rb") as f:
            data = f.read()
    except OSError:
        raise DataError(f"missing image {path} (build the resources first)")
    mime = "image/jpeg" if rel.lower().endswith(".jpg") else "image/png"
    return f"data:{mime};base64," + base64.b64encode(data).decode("ascii")


def svg_image(href, x, y, w, h, transform=""):
    extra = f' transform="{transform}"' if transform else ""
    return (f'<image href="{href}" x="{x:g}" y="{y:g}" width="{w:g}" height="{h:g}" '
            f'preserveAspectRatio="none"{extra}/>')


def label(x, y, text, colour, anchor="start"):
    """Text on a dark plate, so it reads over any picture."""
    text = html.escape(text)
    width = 8.2 * len(text) + 8
    left = x - width / 2 if anchor == "middle" else x
    return (f'<rect x="{left - 2:g}" y="{y - 14:g}" width="{width:g}" height="19" rx="4" '
            f'fill="#1A1420" fill-opacity="0.8"/>'
            f'<text x="{left + 2:g}" y="{y:g}" {FONT} font-size="15" fill="{colour}">{text}</text>')


def rect(left, top, w, h, stroke, fill="none", fill_opacity=0.0, dash="", width=3):
    # A box that is only a line (a hotspot on one column) still shows.
    if w < 5:
        left, w = left - (5 - w) / 2, 5
    if h < 5:
        top, h = top - (5 - h) / 2, 5
    dash_attr = f' stroke-dasharray="{dash}"' if dash else ""
    return (f'<rect x="{left:g}" y="{top:g}" width="{w:g}" height="{h:g}" fill="{fill}" '
            f'fill-opacity="{fill_opacity}" stroke="{stroke}" stroke-width="{width}"{dash_attr}/>')


def draw_floor(sheet):
    out = []
    box_h = sheet["sprite"][1]
    for box in floor_boxes(sheet):
        left, top, w, h = world_box_to_window(*box)
        out.append(rect(left, top, w, h, FLOOR_COLOUR, FLOOR_COLOUR, 0.18))
        # Where the feet go: the centre region moved down by half the sprite.
        out.append(rect(left, top + box_h / 2, w, h, FEET_COLOUR, FEET_COLOUR, 0.12, dash="8 5", width=2))
    if sheet["floor"]:
        first = world_box_to_window(*sheet["floor"][0])
        out.append(label(first[0], first[1] - 6, "floor (hero centre)", FLOOR_COLOUR))
        out.append(label(first[0], first[1] + box_h / 2 - 6, "feet", FEET_COLOUR))
    return out


def draw_hotspots(sheet):
    out = []
    floors = floor_boxes(sheet)
    for index, (ident, name, box) in enumerate(sheet["hotspot"]):
        colour = HOTSPOT_COLOURS[index % len(HOTSPOT_COLOURS)]
        parts = [p for p in (intersect(box, f) for f in floors) if p]
        for part in parts:
            left, top, w, h = world_box_to_window(*part)
            out.append(rect(left, top, w, h, colour, colour, 0.35, width=3))
        if parts:
            left, top, w, h = world_box_to_window(*parts[0])
            out.append(label(left + w / 2, top + h / 2 + 5, f"{ident} {name}", colour, "middle"))
        else:
            out.append(label(10, 590 - 20 * index, f"hotspot {ident} {name}: not on the floor!", colour))
    return out


def draw_clicks(sheet):
    out = []
    for ident, name, (left, top, right, bottom) in sheet["click"]:
        out.append(rect(left, top, right - left + 1, bottom - top + 1, CLICK_COLOUR, width=3))
        out.append(label(left, top - 6, f"click {ident} {name}", CLICK_COLOUR))
    return out


def draw_overlay_images(sheet, resources, layer):
    out = []
    for name, image, x, y, w, h, where in sheet["overlay"]:
        if where == layer:
            left, top = world_to_window(x - w / 2, y + h / 2)
            out.append(svg_image(image_href(resources, image), left, top, w, h))
    return out


def draw_overlay_frames(sheet):
    out = []
    for name, image, x, y, w, h, where in sheet["overlay"]:
        left, top = world_to_window(x - w / 2, y + h / 2)
        out.append(rect(left, top, w, h, OVERLAY_COLOUR, dash="4 4", width=2))
        out.append(label(left + 3, top + 16, f"{name} ({where} hero)", OVERLAY_COLOUR))
    return out


def draw_heroes(sheet, resources, labelled):
    out = []
    box_w, box_h, fig_w, fig_h = sheet["sprite"]
    sprite = image_href(resources, sheet["hero_image"]) if sheet["hero_image"] else None
    for x, y, name in sheet["hero"]:
        if bool(name) != labelled:
            continue
        cx, cy = world_to_window(x, y)
        out.append(rect(cx - box_w / 2, cy - box_h / 2, box_w, box_h, "#FFFFFF", width=1.5))
        feet = cy + box_h / 2
        if sprite:
            out.append(svg_image(sprite, cx - box_w / 2, cy - box_h / 2, box_w, box_h))
        else:
            out += stand_in_figure(cx, feet, fig_w, fig_h)
        out.append(f'<circle cx="{cx:g}" cy="{feet:g}" r="4" fill="{FEET_COLOUR}" stroke="#1A1420" stroke-width="2"/>')
        if name:
            out.append(label(cx, cy - box_h / 2 - 4, name, "#FFFFFF", "middle"))
    return out


def stand_in_figure(cx, feet, fig_w, fig_h):
    """A see-through apprentice, robe and hat, for rooms without a sprite."""
    return [f'<path d="M{cx - fig_w / 2:g} {feet:g} L{cx - fig_w / 4:g} {feet - fig_h * 0.62:g} '
            f'H{cx + fig_w / 4:g} L{cx + fig_w / 2:g} {feet:g} Z" fill="#3FC7C0" '
            f'fill-opacity="0.55" stroke="#1A1420" stroke-width="2"/>',
            f'<path d="M{cx - fig_w / 3:g} {feet - fig_h * 0.62:g} L{cx:g} {feet - fig_h:g} '
            f'L{cx + fig_w / 3:g} {feet - fig_h * 0.62:g} Z" fill="#4A3368" '
            f'fill-opacity="0.7" stroke="#1A1420" stroke-width="2"/>']


def title_block(text, y):
    return (f'<text x="12" y="{y}" {FONT} font-size="20" fill="#F3E6C4">{html.escape(text)}</text>')


def render_view(sheet, resources, stem):
    """One page with the spots and overlay frames; a room with a floor gets a
    second page, "<name>_walk", with the floor and the hero at its places."""
    pages = [(sheet["name"], view_page(sheet, resources, stem, "spots"))]
    if sheet["floor"] or sheet["hero"]:
        pages.append((sheet["name"] + "_walk", view_page(sheet, resources, stem, "walk")))
    return pages


def view_page(sheet, resources, stem, what):
    room_h = 400
    parts = [f'<rect width="{WINDOW_W}" height="{WINDOW_H}" fill="#000000"/>',
             svg_image(image_href(resources, sheet["image"]), 0, VIEW_TOP, WINDOW_W, room_h)]
    parts += draw_overlay_images(sheet, resources, "under")
    if what == "walk":
        parts += draw_heroes(sheet, resources, labelled=False)
        parts += draw_overlay_images(sheet, resources, "over")
        parts += draw_floor(sheet)
    else:
        parts += draw_heroes(sheet, resources, labelled=True)
        parts += draw_overlay_images(sheet, resources, "over")
        parts += draw_overlay_frames(sheet)
        parts += draw_hotspots(sheet)
        parts += draw_clicks(sheet)
    title = f"{stem} {sheet['name']}: {sheet['title'] or sheet['image']}"
    if what == "walk":
        title += " (walking)"
    parts.append(title_block(title, 28))
    parts.append(title_block(sheet["image"], 56))
    return svg_document(WINDOW_W, WINDOW_H, parts)


def render_rings(sheet, resources, stem):
    if not sheet["pose"]:
        raise DataError(f"{stem}: rings sheet '{sheet['name']}' has no pose")
    hrefs = [image_href(resources, r) for r in sheet["ring"]]
    background = image_href(resources, sheet["image"])
    pages = []
    for pose, angles in sheet["pose"]:
        parts = [f'<rect width="{WINDOW_W}" height="{WINDOW_H + TITLE_STRIP}" fill="#000000"/>',
                 svg_image(background, 0, 0, WINDOW_W, WINDOW_H)]
        for href, angle in zip(hrefs, angles):
            # Counter-clockwise on screen is a negative SVG rotation (y down).
            parts.append(svg_image(href, WINDOW_W / 2 - 150, WINDOW_H / 2 - 150, 300, 300,
                                   f"rotate({-angle:g} {WINDOW_W / 2:g} {WINDOW_H / 2:g})"))
        text = f"{stem} {sheet['name']}, {pose}: angles " + ", ".join(
            f"{os.path.basename(r).split('.')[0]} {a:g}" for r, a in zip(sheet["ring"], angles))
        parts.append(title_block(text, WINDOW_H + 28))
        pages.append((f"{sheet['name']}_{pose}", svg_document(WINDOW_W, WINDOW_H + TITLE_STRIP, parts)))
    return pages


# ------------------------------------------------------------ maze sheets

MAZE_WALL = ("#E56717", "#F2BB66")    # the two triangles the game draws a wall with
MAZE_HERO_SPEED = 4.0                 # cells per second
MAZE_TIME_LIMIT = 60.0                # seconds
MAZE_SCREEN = (8, 6)                  # cells one screen shows


def read_maze(resources, rel):
    """The grid as {(column, row): code}, row 0 the first cell line (the
    bottom row), plus width and height; malformed files are refused."""
    path = os.path.join(resources, rel)
    try:
        with open(path, encoding="ascii") as f:
            lines = f.read().split("\n")
    except (OSError, UnicodeDecodeError) as error:
        raise DataError(f"cannot read maze {path}: {error}")
    try:
        width = int(lines[0].split(" ", 1)[1])
        height = int(lines[1].split(" ", 1)[1])
    except (IndexError, ValueError):
        raise DataError(f"{path}: the first two lines must be '<label> <number>'")
    rows = lines[2:2 + height]
    grid = {}
    for r, line in enumerate(rows):
        codes = line.split(" ")
        if len(codes) != width or not all(len(c) == 1 and c.isdigit() for c in codes):
            raise DataError(f"{path}: cell line {r + 3} is not {width} single digits")
        for c, code in enumerate(codes):
            grid[(c, r)] = int(code)
    if len(rows) != height:
        raise DataError(f"{path}: {len(rows)} cell lines for a height of {height}")
    return grid, width, height


def maze_paths(grid, start):
    """Breadth-first search over open cells: the previous cell of each cell."""
    previous = {start: None}
    queue = [start]
    for cell in queue:
        for dc, dr in ((1, 0), (-1, 0), (0, 1), (0, -1)):
            step = (cell[0] + dc, cell[1] + dr)
            if grid.get(step, 1) != 1 and step not in previous:
                previous[step] = cell
                queue.append(step)
    return previous


def monster_corridor(grid, cell):
    """First and last column of the run of open cells a monster walks."""
    left = right = cell[0]
    while grid.get((left - 1, cell[1]), 1) != 1:
        left -= 1
    while grid.get((right + 1, cell[1]), 1) != 1:
        right += 1
    return left, right


def render_maze(sheet, resources, stem):
    grid, width, height = read_maze(resources, sheet["image"])
    size = min((WINDOW_W - 40) // width, (WINDOW_H - 80) // height)
    left, top = (WINDOW_W - size * width) / 2, 50
    sheet_h = top + size * height + 50

    def corner(c, r):            # window position of a cell's top-left corner
        return left + c * size, top + (height - 1 - r) * size

    def centre(c, r):
        x, y = corner(c, r)
        return x + size / 2, y + size / 2

    parts = [f'<rect width="{WINDOW_W}" height="{sheet_h}" fill="#1A1420"/>']
    for (c, r), code in sorted(grid.items()):
        x, y = corner(c, r)
        if code == 1:
            parts.append(f'<path d="M{x:g} {y:g} h{size} v{size} Z" fill="{MAZE_WALL[0]}"/>'
                         f'<path d="M{x:g} {y:g} v{size} h{size} Z" fill="{MAZE_WALL[1]}"/>')
        else:
            parts.append(f'<rect x="{x:g}" y="{y:g}" width="{size}" height="{size}" fill="#000000" '
                         f'stroke="#2E2350" stroke-width="1"/>')
    heroes = [cell for cell, code in grid.items() if code == 2]
    monsters = sorted(cell for cell, code in grid.items() if code == 3)
    pickups = sorted(cell for cell, code in grid.items() if code == 4)

    for cell in monsters:
        first, last = monster_corridor(grid, cell)
        x0, y0 = corner(first, cell[1])
        parts.append(f'<rect x="{x0 + 2:g}" y="{y0 + size * 0.3:g}" width="{(last - first + 1) * size - 4:g}" '
                     f'height="{size * 0.4:g}" rx="{size * 0.2:g}" fill="#E23B3B" fill-opacity="0.35" '
                     f'stroke="#E23B3B" stroke-width="2"/>')
    notes = []
    if len(heroes) != 1:
        notes.append(f"{len(heroes)} hero starts: there must be exactly one")
    if heroes:
        hero = heroes[0]
        # One screen around the start, where the camera begins.
        cam_c = min(max(hero[0] + 0.5, MAZE_SCREEN[0] / 2), width - MAZE_SCREEN[0] / 2)
        cam_r = min(max(hero[1] + 0.5, MAZE_SCREEN[1] / 2), height - MAZE_SCREEN[1] / 2)
        sx, sy = left + (cam_c - MAZE_SCREEN[0] / 2) * size, top + (height - cam_r - MAZE_SCREEN[1] / 2) * size
        parts.append(rect(sx, sy, MAZE_SCREEN[0] * size, MAZE_SCREEN[1] * size, "#FFFFFF", dash="6 4", width=2))
        parts.append(label(sx + 4, sy + 18, "first screen", "#FFFFFF"))
        previous = maze_paths(grid, hero)
        for pickup in pickups:
            if pickup not in previous:
                notes.append(f"pickup at {pickup} cannot be reached")
                continue
            walk, cell = [], pickup
            while cell is not None:
                walk.append(centre(*cell))
                cell = previous[cell]
            points = " ".join(f"{x:g},{y:g}" for x, y in walk)
            parts.append(f'<polyline points="{points}" fill="none" stroke="#3FC7C0" stroke-width="4" '
                         f'stroke-linejoin="round" stroke-dasharray="10 5"/>')
            cells = len(walk) - 1
            seconds = cells / MAZE_HERO_SPEED
            notes.append(f"pickup {pickup}: {cells} cells, {seconds:g} s of the {MAZE_TIME_LIMIT:g} s")
    for cell in monsters:
        x, y = centre(*cell)
        parts.append(f'<circle cx="{x:g}" cy="{y:g}" r="{size * 0.32:g}" fill="#FF0000" stroke="#1A1420" stroke-width="3"/>')
    for cell in pickups:
        x, y = centre(*cell)
        parts.append(f'<circle cx="{x:g}" cy="{y:g}" r="{size * 0.36:g}" fill="#FFFF00" stroke="#1A1420" stroke-width="3"/>')
    for cell in heroes:
        x, y = corner(*cell)
        parts.append(f'<rect x="{x + size * 0.15:g}" y="{y + size * 0.15:g}" width="{size * 0.7:g}" '
                     f'height="{size * 0.7:g}" fill="#0000FF" stroke="#FFFFFF" stroke-width="3"/>')
    for r in range(height):
        parts.append(f'<text x="{left - 6:g}" y="{centre(0, r)[1] + 5:g}" {FONT} font-size="13" '
                     f'fill="#8E7CC3" text-anchor="end">{r}</text>')
    for c in range(width):
        parts.append(f'<text x="{centre(c, 0)[0]:g}" y="{top + height * size + 16:g}" {FONT} font-size="13" '
                     f'fill="#8E7CC3" text-anchor="middle">{c}</text>')
    title = (f"{stem} {sheet['name']}: {sheet['title'] or sheet['image']} ({width} x {height}, "
             f"{len(monsters)} monsters, row 0 at the bottom)")
    parts.append(title_block(title, 30))
    parts.append(title_block("; ".join(notes) or "no pickup", sheet_h - 12))
    return [(sheet["name"], svg_document(WINDOW_W, sheet_h, parts))]


RENDERERS = {"view": render_view, "rings": render_rings, "maze": render_maze}


def svg_document(w, h, parts):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" '
            f'viewBox="0 0 {w} {h}">\n' + "\n".join(parts) + "\n</svg>\n")


def write_png(svg_text, target):
    result = subprocess.run(["rsvg-convert", "--format", "png", "-o", target],
                            input=svg_text.encode("utf-8"), capture_output=True)
    if result.returncode != 0:
        raise DataError(f"{target}: rsvg-convert failed: "
                        f"{result.stderr.decode('utf-8', 'replace').strip()}")


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--resources", required=True, help="the built Resources/ folder")
    parser.add_argument("--out", required=True, help="folder for the PNG sheets")
    parser.add_argument("--data", default=os.path.join(here, "..", "assets", "proof"),
                        help="folder of the *.txt data files")
    args = parser.parse_args(argv)

    data_files = sorted(f for f in os.listdir(args.data) if f.endswith(".txt"))
    if not data_files:
        print(f"proof_sheets: no data files in {args.data}", file=sys.stderr)
        return 1
    os.makedirs(args.out, exist_ok=True)
    failures = 0
    for data_file in data_files:
        stem = data_file[:-4]
        try:
            for sheet in parse_file(os.path.join(args.data, data_file)):
                for suffix, svg_text in RENDERERS[sheet["kind"]](sheet, args.resources, stem):
                    target = os.path.join(args.out, f"{stem}_{suffix}.png")
                    write_png(svg_text, target)
                    print(target)
        except DataError as error:
            print(f"proof_sheets: {error}", file=sys.stderr)
            failures += 1
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
