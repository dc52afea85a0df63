#!/usr/bin/env python3
"""Builds the game's Resources/ tree from the editable sources under assets/.

Rules (source under assets/ -> file under Resources/):
  Animation/<F>/<N>.png.svg  -> Animation/<F>/<N>.png   rsvg-convert, alpha kept
  Animation/<F>/<N>.jpg.svg  -> Animation/<F>/<N>.jpg   rsvg-convert, flattened on
                                                       black, baseline JPEG q92
  Animation/<F>/<N>.png.crop -> Animation/<F>/<N>.png   crop of a built image; the
                                one line reads "<path under Resources/> x y w h"
  Animation/Text/captions.txt -> Animation/Text/<NAME>.png, one per entry,
                                through caption.svg.in or label.svg.in
  Sound/<F>/<N>.ogg.score    -> Sound/<F>/<N>.ogg      our synthesiser, then oggenc
  Maze*.txt                  -> Maze*.txt              copied
Beside the tree, <work>/contact-sheet.png shows every image with its name.

"@SAFE_CODE@" and "@SAFE_CODE_SPACED@" in SVGs and captions are replaced by
the digits of assets/SAFE_CODE.txt.

Incremental: every target has a key, the hash of everything that decides its
bytes (the source after substitution, the builder itself, the versions of the
tools it runs, the images it crops).  A target is rebuilt only when its key
changed or the file on disk is not the one we wrote.  The keys live in
<work>/manifest.json.  Standard library only.
"""

import argparse
import base64
import concurrent.futures
import hashlib
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import urllib.parse
import zlib

SAFE_CODE_TOKEN = "@SAFE_CODE@"
SAFE_CODE_SPACED_TOKEN = "@SAFE_CODE_SPACED@"
JPEG_QUALITY = "92"
OGG_QUALITY = "4"

STRIP_WIDTH = 474
STRIP_HEIGHT = 90
TEXT_AREA_WIDTH = 436          # what a caption line may use inside the strip
CAPTION_SIZES_ONE_LINE = (30, 28, 26, 24, 22, 20)
CAPTION_SIZES_TWO_LINES = (26, 25, 24, 23, 22, 21, 20)
LINE_SPACING = 1.18

# Advance widths of Cabin Bold in 1/1000 em, to lay out lines and key-caps
# (kerning ignored: it changes a line by a few pixels at most).
CABIN_BOLD_ADVANCE = {
    ' ': 225, '!': 250, '"': 396, '#': 710, '$': 524, '%': 842, '&': 627,
    "'": 196, '(': 277, ')': 277, '*': 446, '+': 458, ',': 232, '-': 418,
    '.': 232, '/': 551, '0': 706, '1': 369, '2': 529, '3': 539, '4': 581,
    '5': 537, '6': 562, '7': 510, '8': 602, '9': 564, ':': 232, ';': 247,
    '<': 446, '=': 494, '>': 446, '?': 442, '@': 714, 'A': 625, 'B': 626,
    'C': 609, 'D': 720, 'E': 568, 'F': 525, 'G': 664, 'H': 740, 'I': 282,
    'J': 282, 'K': 621, 'L': 500, 'M': 833, 'N': 707, 'O': 760, 'P': 596,
    'Q': 760, 'R': 626, 'S': 580, 'T': 554, 'U': 718, 'V': 657, 'W': 963,
    'X': 627, 'Y': 598, 'Z': 548, '[': 335, '\\': 551, ']': 340, '^': 511,
    '_': 558, '`': 303, 'a': 498, 'b': 571, 'c': 448, 'd': 571, 'e': 515,
    'f': 340, 'g': 501, 'h': 551, 'i': 240, 'j': 240, 'k': 485, 'l': 263,
    'm': 866, 'n': 552, 'o': 562, 'p': 572, 'q': 572, 'r': 342, 's': 423,
    't': 344, 'u': 552, 'v': 496, 'w': 726, 'x': 491, 'y': 537, 'z': 472,
    '{': 319, '|': 234, '}': 319, '~': 466, '\u2026': 704, '\u2019': 192,
    '\u2014': 588, '\u2013': 496, '\u00e9': 515,
}
AVERAGE_ADVANCE = 560


class BuildError(Exception):
    """A source that cannot be built; the message names the file."""


# ---------------------------------------------------------------- helpers

def sha256(*parts):
    h = hashlib.sha256()
    for part in parts:
        data = part if isinstance(part, bytes) else str(part).encode("utf-8")
        h.update(len(data).to_bytes(8, "little"))
        h.update(data)
    return h.hexdigest()


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


def run_tool(args, source, **kwargs):
    """Runs a tool; a failure becomes a BuildError naming the source."""
    try:
        result = subprocess.run(args, capture_output=True, **kwargs)
    except FileNotFoundError:
        raise BuildError(f"{source}: tool not found: {args[0]}")
    if result.returncode != 0:
        message = result.stderr.decode("utf-8", "replace").strip()
        raise BuildError(f"{source}: {os.path.basename(args[0])} failed: "
                         f"{message or 'exit code %d' % result.returncode}")
    return result.stdout


def replace_atomically(temp_path, target):
    os.makedirs(os.path.dirname(target), exist_ok=True)
    os.chmod(temp_path, 0o644)      # scratch files are created private
    os.replace(temp_path, target)


def tool_version(args):
    try:
        out = subprocess.run(args, capture_output=True).stdout
    except FileNotFoundError:
        return "missing"
    return out.decode("utf-8", "replace").strip()


class Context:
    """What every rule needs: the folders, the safe code, the tool versions."""

    def __init__(self, assets, out, work, synth):
        self.assets = os.path.abspath(assets)
        self.out = os.path.abspath(out)
        self.work = os.path.abspath(work)
        self.synth = os.path.abspath(synth) if synth else None
        self.builder_hash = sha256(read_bytes(os.path.abspath(__file__)))
        self._versions = {}
        self._lock = threading.Lock()
        self._safe_code = None

    def version(self, name):
        with self._lock:
            if name not in self._versions:
                if name == "synth":
                    self._versions[name] = (sha256(read_bytes(self.synth))
                                            if self.synth and os.path.exists(self.synth)
                                            else "missing")
                else:
                    flag = "-version" if name in ("convert", "cjpeg") else "--version"
                    self._versions[name] = tool_version([name, flag])
            return self._versions[name]

    def safe_code(self, source):
        if self._safe_code is None:
            path = os.path.join(self.assets, "SAFE_CODE.txt")
            try:
                with open(path, encoding="utf-8") as f:
                    first = f.readline().strip()
            except OSError:
                raise BuildError(f"{source}: uses {SAFE_CODE_TOKEN} but {path} is missing")
            if not re.fullmatch(r"[0-9]{4}", first):
                raise BuildError(f"{path}: the first line must be the safe's four digits, "
                                 f"not {first!r}")
            self._safe_code = first
        return self._safe_code

    def substitute(self, text, source):
        if SAFE_CODE_TOKEN in text or SAFE_CODE_SPACED_TOKEN in text:
            code = self.safe_code(source)
            text = text.replace(SAFE_CODE_SPACED_TOKEN, " ".join(code))
            text = text.replace(SAFE_CODE_TOKEN, code)
        return text

    def temp_file(self, suffix):
        os.makedirs(os.path.join(self.work, "tmp"), exist_ok=True)
        fd, path = tempfile.mkstemp(suffix=suffix, dir=os.path.join(self.work, "tmp"))
        os.close(fd)
        return path


class Job:
    """One target: how to compute its key and how to build it."""

    def __init__(self, target, source, kind, key_parts, build):
        self.target = target            # path relative to Resources/
        self.source = source            # path relative to assets/, for messages
        self.kind = kind
        self.key_parts = key_parts      # callable -> list of key parts
        self.build = build              # callable(ctx, absolute target path)


# ---------------------------------------------------------------- SVG rules

HREF_PATTERN = re.compile(r"""((?:xlink:)?href\s*=\s*)(["'])([^"'#][^"']*)\2""")
MIME_TYPES = {".png": "image/png", ".jpg": "image/jpeg", ".jpeg": "image/jpeg",
              ".svg": "image/svg+xml", ".gif": "image/gif"}


def data_url(path):
    mime = MIME_TYPES.get(os.path.splitext(path)[1].lower(), "application/octet-stream")
    return f"data:{mime};base64," + base64.b64encode(read_bytes(path)).decode("ascii")


def inline_links(svg_text, source_dir):
    """A substituted copy is rendered from the work folder, where librsvg
    would refuse links to files beside the original (it only follows links
    below the SVG's own folder); such files are embedded instead."""
    def fix(match):
        attribute, quote, link = match.groups()
        if re.match(r"^[a-zA-Z][a-zA-Z0-9+.-]*:", link):
            return match.group(0)
        path = os.path.join(source_dir, urllib.parse.unquote(link))
        if not os.path.isfile(path):
            return match.group(0)
        return attribute + quote + data_url(path) + quote
    return HREF_PATTERN.sub(fix, svg_text)


def prepared_svg(ctx, source_path, source_rel):
    """The SVG text to render and whether it differs from the file."""
    raw = read_bytes(source_path)
    try:
        text = raw.decode("utf-8")
    except UnicodeDecodeError:
        raise BuildError(f"{source_rel}: not UTF-8 text")
    substituted = ctx.substitute(text, source_rel)
    return substituted, substituted != text


def render_svg(ctx, svg_text, changed, source_path, source_rel):
    """Renders to a temporary PNG and returns its path."""
    png = ctx.temp_file(".png")
    svg_path = source_path
    temp_svg = None
    if changed:
        temp_svg = ctx.temp_file(".svg")
        with open(temp_svg, "w", encoding="utf-8") as f:
            f.write(inline_links(svg_text, os.path.dirname(source_path)))
        svg_path = temp_svg
    try:
        run_tool(["rsvg-convert", "--format", "png", "-o", png, svg_path], source_rel)
    except BuildError:
        os.remove(png)
        raise
    finally:
        if temp_svg:
            os.remove(temp_svg)
    return png


def svg_job(ctx, source_path, source_rel, target_rel):
    is_jpeg = target_rel.endswith(".jpg")

    def key_parts():
        text, _ = prepared_svg(ctx, source_path, source_rel)
        parts = ["svg", text, ctx.version("rsvg-convert")]
        if is_jpeg:
            parts += [ctx.version("convert"), ctx.version("cjpeg"), JPEG_QUALITY]
        return parts

    def build(target):
        text, changed = prepared_svg(ctx, source_path, source_rel)
        png = render_svg(ctx, text, changed, source_path, source_rel)
        try:
            if is_jpeg:
                write_jpeg(ctx, png, target, source_rel)
            else:
                replace_atomically(png, target)
        finally:
            if os.path.exists(png):
                os.remove(png)

    return Job(target_rel, source_rel, "jpg" if is_jpeg else "png", key_parts, build)


def write_jpeg(ctx, png, target, source_rel):
    """Flattens on black (the pictures are opaque anyway) and writes a
    baseline JPEG with cjpeg, whose output does not depend on the clock."""
    ppm = run_tool(["convert", png, "-background", "black", "-alpha", "remove",
                    "-alpha", "off", "ppm:-"], source_rel)
    temp = ctx.temp_file(".jpg")
    try:
        jpeg = run_tool(["cjpeg", "-quality", JPEG_QUALITY, "-baseline", "-optimize"],
                        source_rel, input=ppm)
        with open(temp, "wb") as f:
            f.write(jpeg)
        replace_atomically(temp, target)
    finally:
        if os.path.exists(temp):
            os.remove(temp)


# ---------------------------------------------------------------- crops

def parse_crop(source_path, source_rel):
    with open(source_path, encoding="utf-8") as f:
        lines = [l.strip() for l in f if l.strip() and not l.strip().startswith("#")]
    fields = lines[0].split() if len(lines) == 1 else []
    if len(fields) != 5 or not all(re.fullmatch(r"[0-9]+", v) for v in fields[1:]):
        raise BuildError(f"{source_rel}: expected one line '<path under Resources/> x y w h'")
    x, y, w, h = (int(v) for v in fields[1:])
    if w == 0 or h == 0:
        raise BuildError(f"{source_rel}: the crop is empty")
    return fields[0], (x, y, w, h)


def image_size(path):
    """Width and height of a PNG, read from its header."""
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n":
        return None
    return int.from_bytes(head[16:20], "big"), int.from_bytes(head[20:24], "big")


def crop_job(ctx, source_path, source_rel, target_rel):
    def key_parts():
        image_rel, box = parse_crop(source_path, source_rel)
        image = os.path.join(ctx.out, image_rel)
        if not os.path.exists(image):
            raise BuildError(f"{source_rel}: the image to crop, {image_rel}, was not built")
        return ["crop", image_rel, box, sha256(read_bytes(image)), ctx.version("convert")]

    def build(target):
        image_rel, (x, y, w, h) = parse_crop(source_path, source_rel)
        image = os.path.join(ctx.out, image_rel)
        size = image_size(image)
        if size and (x + w > size[0] or y + h > size[1]):
            raise BuildError(f"{source_rel}: the crop {w}x{h}+{x}+{y} leaves "
                             f"{image_rel} ({size[0]}x{size[1]})")
        temp = ctx.temp_file(".png")
        try:
            run_tool(["convert", image, "-crop", f"{w}x{h}+{x}+{y}", "+repage",
                      "-define", "png:exclude-chunks=date,time", "PNG32:" + temp], source_rel)
            replace_atomically(temp, target)
        finally:
            if os.path.exists(temp):
                os.remove(temp)

    return Job(target_rel, source_rel, "crop", key_parts, build)


# ---------------------------------------------------------------- captions

CAPTION_LINE = re.compile(r"^([A-Z0-9_]+)\s*(?:\[([^\]]*)\])?\s*:\s*(.*)$")
SEGMENT = re.compile(r"\[([A-Za-z0-9]{1,5})\]|\{(red|blue|green|yellow|gold)\s+([^}]*)\}")


def parse_captions(path, source_rel):
    """Returns [(name, options, text)]; a caption's text may go on over
    indented continuation lines."""
    entries = []
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            stripped = line.strip()
            if not stripped or stripped.startswith("#"):
                continue
            if line[0] in " \t" and entries:
                name, options, text = entries[-1]
                entries[-1] = (name, options, text + " " + stripped)
                continue
            match = CAPTION_LINE.match(stripped)
            if not match:
                raise BuildError(f"{source_rel}:{number}: expected 'NAME: text' "
                                 f"or 'NAME [options]: text'")
            name, options, text = match.group(1), match.group(2), match.group(3).strip()
            if any(e[0] == name for e in entries):
                raise BuildError(f"{source_rel}:{number}: {name} is defined twice")
            entries.append((name, parse_options(options, source_rel, number), text))
    return entries


def parse_options(options, source_rel, number):
    result = {}
    for item in (options or "").split():
        if "=" not in item:
            raise BuildError(f"{source_rel}:{number}: option {item!r} needs a value")
        key, value = item.split("=", 1)
        result[key] = value
    return result


def segments(line):
    """Splits a line into ('text', s), ('key', s) and ('colour', name, s)."""
    parts, pos = [], 0
    for match in SEGMENT.finditer(line):
        if match.start() > pos:
            parts.append(("text", line[pos:match.start()]))
        if match.group(1):
            parts.append(("key", match.group(1)))
        else:
            parts.append(("colour", match.group(2), match.group(3)))
        pos = match.end()
    if pos < len(line):
        parts.append(("text", line[pos:]))
    return parts


def text_width(text, size):
    return sum(CABIN_BOLD_ADVANCE.get(c, AVERAGE_ADVANCE) for c in text) * size / 1000.0


def key_cap_width(label, size):
    return max(size * 1.05, text_width(label, size * 0.72) + size * 0.5)


def segment_width(part, size):
    if part[0] == "key":
        return key_cap_width(part[1], size) + size * 0.24
    return text_width(part[-1], size)


def line_width(parts, size):
    return sum(segment_width(p, size) for p in parts)


def xml_escape(text):
    return (text.replace("&", "&amp;").replace("<", "&lt;")
            .replace(">", "&gt;").replace('"', "&quot;"))


def line_svg(parts, left, baseline, size):
    """SVG elements of one line whose first glyph starts at `left`."""
    out, x = [], left
    for part in parts:
        width = segment_width(part, size)
        if part[0] == "key":
            cap = key_cap_width(part[1], size)
            top = baseline - size * 0.86
            out.append(f'<rect class="keycap" x="{x + size * 0.12:.1f}" y="{top:.1f}" '
                       f'width="{cap:.1f}" height="{size * 1.08:.1f}" rx="{size * 0.22:.1f}"/>')
            out.append(f'<text class="keylabel" x="{x + size * 0.12 + cap / 2:.1f}" '
                       f'y="{baseline - size * 0.08:.1f}" font-size="{size * 0.72:.1f}" '
                       f'text-anchor="middle">{xml_escape(part[1])}</text>')
        elif part[0] == "colour":
            out.append(f'<text class="word {part[1]}" x="{x:.1f}" y="{baseline:.1f}" '
                       f'font-size="{size}" xml:space="preserve">{xml_escape(part[2])}</text>')
        else:
            out.append(f'<text class="word" x="{x:.1f}" y="{baseline:.1f}" '
                       f'font-size="{size}" xml:space="preserve">{xml_escape(part[1])}</text>')
        x += width
    return out


def caption_body(name, text, source_rel):
    lines = [l.strip() for l in text.split("|")]
    if len(lines) > 2 or not all(lines):
        raise BuildError(f"{source_rel}: {name}: a caption has one or two non-empty lines")
    parsed = [segments(l) for l in lines]
    sizes = CAPTION_SIZES_ONE_LINE if len(lines) == 1 else CAPTION_SIZES_TWO_LINES
    size = next((s for s in sizes if max(line_width(p, s) for p in parsed) <= TEXT_AREA_WIDTH),
                None)
    if size is None:
        raise BuildError(f"{source_rel}: {name}: too long for the strip even at "
                         f"{sizes[-1]} px: {text!r}")
    spacing = size * LINE_SPACING
    first_middle = STRIP_HEIGHT / 2 - spacing * (len(lines) - 1) / 2
    elements = []
    for index, parts in enumerate(parsed):
        middle = first_middle + spacing * index
        baseline = middle + size * 0.34          # half Cabin's cap height
        left = STRIP_WIDTH / 2 - line_width(parts, size) / 2
        elements += line_svg(parts, left, baseline, size)
    return "\n  ".join(elements)


def label_fields(name, options, text, source_rel):
    """A label is one word on a small plate beside the digits the game draws
    over it; the options place the plate and the word."""
    try:
        px, py, pw, ph = options["pill"].split(",")
        wx, wy = (float(v) for v in options["word"].split(","))
        size = float(options.get("size", "28"))
        px, py, ph = float(px), float(py), float(ph)
    except (KeyError, ValueError):
        raise BuildError(f"{source_rel}: {name}: a label needs pill=x,y,w|auto,h and word=x,y")
    parts = segments(text)
    if pw == "auto":
        pw = wx + line_width(parts, size) + 14 - px
    body = "\n  ".join(line_svg(parts, wx, wy + size * 0.34, size))
    return {"PILL_X": f"{px:.1f}", "PILL_Y": f"{py:.1f}", "PILL_W": f"{float(pw):.1f}",
            "PILL_H": f"{ph:.1f}", "PILL_R": f"{min(ph / 2, 16):.1f}", "TEXT": body}


def fill_template(template, fields):
    for key, value in fields.items():
        template = template.replace("{{" + key + "}}", value)
    leftover = re.search(r"\{\{[A-Z_]+\}\}", template)
    if leftover:
        raise BuildError(f"template slot {leftover.group(0)} has no value")
    return template


def caption_jobs(ctx, captions_path):
    text_dir = os.path.dirname(captions_path)
    source_rel = os.path.relpath(captions_path, ctx.assets)
    raw = read_bytes(captions_path).decode("utf-8")
    substituted = ctx.substitute(raw, source_rel)
    temp_source = ctx.temp_file(".txt")
    with open(temp_source, "w", encoding="utf-8") as f:
        f.write(substituted)
    try:
        entries = parse_captions(temp_source, source_rel)
    finally:
        os.remove(temp_source)
    jobs = []
    for name, options, text in entries:
        template_name = "label.svg.in" if "pill" in options else "caption.svg.in"
        template_path = os.path.join(text_dir, template_name)
        jobs.append(one_caption_job(ctx, name, options, text, template_path, source_rel))
    return jobs


def one_caption_job(ctx, name, options, text, template_path, source_rel):
    target_rel = f"Animation/Text/{name}.png"

    def svg_text():
        try:
            template = read_bytes(template_path).decode("utf-8")
        except OSError:
            raise BuildError(f"{source_rel}: {name}: template {template_path} is missing")
        if "pill" in options:
            fields = label_fields(name, options, text, source_rel)
        else:
            fields = {"TEXT": caption_body(name, text, source_rel)}
        try:
            return fill_template(template, fields)
        except BuildError as error:
            raise BuildError(f"{template_path}: {error}")

    def key_parts():
        return ["caption", svg_text(), ctx.version("rsvg-convert")]

    def build(target):
        png = render_svg(ctx, svg_text(), True, template_path, f"{source_rel} ({name})")
        try:
            replace_atomically(png, target)
        finally:
            if os.path.exists(png):
                os.remove(png)

    return Job(target_rel, f"{source_rel} ({name})", "text", key_parts, build)


# ---------------------------------------------------------------- sound

def score_job(ctx, source_path, source_rel, target_rel):
    # A fixed stream serial per file keeps the Ogg bytes the same run to run.
    serial = str(zlib.crc32(target_rel.encode("utf-8")) & 0x7FFFFFFF)

    def key_parts():
        if not ctx.synth:
            raise BuildError(f"{source_rel}: no synthesiser given (--synth)")
        return ["score", read_bytes(source_path), ctx.version("synth"),
                ctx.version("oggenc"), OGG_QUALITY, serial]

    def build(target):
        wav = ctx.temp_file(".wav")
        ogg = ctx.temp_file(".ogg")
        try:
            run_tool([ctx.synth, source_path, wav], source_rel)
            run_tool(["oggenc", "--quiet", "-q", OGG_QUALITY, "--serial", serial,
                      "-o", ogg, wav], source_rel)
            replace_atomically(ogg, target)
        finally:
            for path in (wav, ogg):
                if os.path.exists(path):
                    os.remove(path)

    return Job(target_rel, source_rel, "ogg", key_parts, build)


# ---------------------------------------------------------------- copies

def copy_job(ctx, source_path, source_rel, target_rel):
    def key_parts():
        return ["copy", read_bytes(source_path)]

    def build(target):
        temp = ctx.temp_file(".copy")
        shutil.copyfile(source_path, temp)
        replace_atomically(temp, target)

    return Job(target_rel, source_rel, "copy", key_parts, build)


# ---------------------------------------------------------------- discovery

def discover(ctx):
    """Returns (first-phase jobs, crop jobs)."""
    jobs, crops = [], []
    animation = os.path.join(ctx.assets, "Animation")
    for folder, dirs, files in os.walk(animation):
        dirs.sort()
        for name in sorted(files):
            path = os.path.join(folder, name)
            rel = os.path.relpath(path, ctx.assets)
            if name.endswith(".png.svg") or name.endswith(".jpg.svg"):
                jobs.append(svg_job(ctx, path, rel, rel[:-len(".svg")]))
            elif name.endswith(".png.crop"):
                crops.append(crop_job(ctx, path, rel, rel[:-len(".crop")]))
    captions = os.path.join(animation, "Text", "captions.txt")
    if os.path.exists(captions):
        jobs += caption_jobs(ctx, captions)
    sound = os.path.join(ctx.assets, "Sound")
    for folder, dirs, files in os.walk(sound):
        dirs.sort()
        for name in sorted(files):
            if name.endswith(".ogg.score"):
                path = os.path.join(folder, name)
                rel = os.path.relpath(path, ctx.assets)
                jobs.append(score_job(ctx, path, rel, rel[:-len(".score")]))
    if os.path.isdir(ctx.assets):
        for name in sorted(os.listdir(ctx.assets)):
            if re.fullmatch(r"Maze\w*\.txt", name):
                jobs.append(copy_job(ctx, os.path.join(ctx.assets, name), name, name))
    check_unique_targets(jobs + crops)
    return jobs, crops


def check_unique_targets(jobs):
    seen = {}
    for job in jobs:
        if job.target in seen:
            raise BuildError(f"{job.source} and {seen[job.target]} both make {job.target}")
        seen[job.target] = job.source


# ---------------------------------------------------------------- manifest

class Manifest:
    def __init__(self, path):
        self.path = path
        try:
            with open(path, encoding="utf-8") as f:
                self.entries = json.load(f)
        except (OSError, ValueError):
            self.entries = {}
        self.previous = set(self.entries)

    def is_current(self, target_rel, key, target_path):
        entry = self.entries.get(target_rel)
        if not entry or entry.get("key") != key:
            return False
        try:
            st = os.stat(target_path)
        except OSError:
            return False
        return st.st_size == entry.get("size") and st.st_mtime_ns == entry.get("mtime")

    def record(self, target_rel, key, target_path):
        st = os.stat(target_path)
        self.entries[target_rel] = {"key": key, "size": st.st_size, "mtime": st.st_mtime_ns}

    def forget(self, target_rel):
        self.entries.pop(target_rel, None)

    def save(self):
        os.makedirs(os.path.dirname(self.path), exist_ok=True)
        temp = self.path + ".tmp"
        with open(temp, "w", encoding="utf-8") as f:
            json.dump(self.entries, f, indent=0, sort_keys=True)
        os.replace(temp, self.path)


# ---------------------------------------------------------------- running

class Runner:
    def __init__(self, ctx, manifest, workers, quiet):
        self.ctx = ctx
        self.manifest = manifest
        self.workers = workers
        self.quiet = quiet
        self.errors = []
        self.rebuilt = []
        self.lock = threading.Lock()

    def run(self, jobs):
        with concurrent.futures.ThreadPoolExecutor(max_workers=self.workers) as pool:
            list(pool.map(self.run_one, jobs))

    def run_one(self, job):
        target = os.path.join(self.ctx.out, job.target)
        try:
            key = sha256(self.ctx.builder_hash, job.kind, *job.key_parts())
            if self.manifest.is_current(job.target, key, target):
                return
            job.build(target)
        except BuildError as error:
            self.fail(job, str(error))
            return
        except OSError as error:
            self.fail(job, f"{job.source}: {error}")
            return
        with self.lock:
            self.manifest.record(job.target, key, target)
            self.rebuilt.append(job.target)
            if not self.quiet:
                print(f"{job.kind:5} {job.target}", flush=True)

    def fail(self, job, message):
        with self.lock:
            self.manifest.forget(job.target)
            self.errors.append(message)
            print(f"error: {message}", file=sys.stderr, flush=True)


def remove_stale(ctx, manifest, targets, quiet):
    """Removes what an earlier run made from a source that is gone; files we
    did not make are never touched."""
    for target_rel in sorted(manifest.previous - set(targets)):
        path = os.path.join(ctx.out, target_rel)
        if os.path.exists(path):
            os.remove(path)
            if not quiet:
                print(f"gone  {target_rel}", flush=True)
        manifest.forget(target_rel)


def contact_sheet_svg(ctx, images, columns=8, cell_width=236, cell_height=170):
    """Every image scaled into a cell with its name under it; rendered by
    rsvg-convert, which is many times faster here than ImageMagick's montage."""
    rows = (len(images) + columns - 1) // columns
    parts = [f'<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" '
             f'width="{columns * cell_width}" height="{rows * cell_height}">',
             '<rect width="100%" height="100%" fill="#6f6a78"/>']
    for index, target in enumerate(images):
        x = (index % columns) * cell_width
        y = (index // columns) * cell_height
        url = data_url(os.path.join(ctx.out, target))
        parts.append(f'<image x="{x + 6}" y="{y + 6}" width="{cell_width - 12}" '
                     f'height="{cell_height - 34}" preserveAspectRatio="xMidYMid meet" '
                     f'xlink:href="{url}"/>')
        parts.append(f'<text x="{x + cell_width / 2}" y="{y + cell_height - 12}" '
                     f'font-family="Cabin" font-size="11" fill="#FFFFFF" text-anchor="middle">'
                     f'{xml_escape(os.path.basename(target))}</text>')
    parts.append("</svg>")
    return "\n".join(parts)


def build_contact_sheet(ctx, manifest, quiet):
    """A sheet of every image with its name, to review the style at a glance."""
    images = sorted(t for t in manifest.entries
                    if t.startswith("Animation/") and t.endswith((".png", ".jpg")))
    sheet = os.path.join(ctx.work, "contact-sheet.png")
    if not images:
        return None
    key = sha256("sheet", ctx.builder_hash,
                 *[f"{t}:{manifest.entries[t]['key']}" for t in images])
    stamp = os.path.join(ctx.work, "contact-sheet.key")
    if os.path.exists(sheet) and os.path.exists(stamp):
        with open(stamp, encoding="utf-8") as f:
            if f.read() == key:
                return None
    try:
        png = render_svg(ctx, contact_sheet_svg(ctx, images), True, sheet, "contact sheet")
    except BuildError as error:
        return str(error)
    replace_atomically(png, sheet)
    with open(stamp, "w", encoding="utf-8") as f:
        f.write(key)
    if not quiet:
        print(f"sheet {os.path.relpath(sheet, ctx.work)} ({len(images)} images)", flush=True)
    return None


def parse_args(argv):
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--assets", required=True, help="the assets/ source folder")
    parser.add_argument("--out", required=True, help="the Resources/ folder to fill")
    parser.add_argument("--work", required=True, help="a folder for the manifest and scratch")
    parser.add_argument("--synth", help="the synthesiser that renders .ogg.score files")
    parser.add_argument("--jobs", type=int, default=2, help="parallel workers (default 2)")
    parser.add_argument("--no-sheet", action="store_true", help="skip the contact sheet")
    parser.add_argument("--quiet", action="store_true", help="print errors only")
    return parser.parse_args(argv)


def main(argv):
    args = parse_args(argv)
    ctx = Context(args.assets, args.out, args.work, args.synth)
    if not os.path.isdir(ctx.assets):
        print(f"error: {ctx.assets}: no such folder", file=sys.stderr)
        return 1
    manifest = Manifest(os.path.join(ctx.work, "manifest.json"))
    try:
        jobs, crops = discover(ctx)
    except BuildError as error:
        print(f"error: {error}", file=sys.stderr)
        return 1
    runner = Runner(ctx, manifest, max(1, args.jobs), args.quiet)
    runner.run(jobs)
    runner.run(crops)          # crops read images built above
    remove_stale(ctx, manifest, [j.target for j in jobs + crops], args.quiet)
    manifest.save()
    if not args.no_sheet and not runner.errors:
        sheet_error = build_contact_sheet(ctx, manifest, args.quiet)
        if sheet_error:
            print(f"warning: {sheet_error}", file=sys.stderr)
    shutil.rmtree(os.path.join(ctx.work, "tmp"), ignore_errors=True)
    if runner.errors:
        print(f"error: {len(runner.errors)} of {len(jobs) + len(crops)} files failed",
              file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
