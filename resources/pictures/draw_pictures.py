#!/usr/bin/env python3
"""Draws VELMO's pictures as SVG files beside this script: the source of every picture.

Run `python3 resources/pictures/draw_pictures.py` after a change and commit the SVGs with it.

One style for all: a 32 x 32 canvas; every outline is 2 units wide in the dark shade of its
fill and lies on odd coordinates, so it falls on whole pixels at 16, 32 and 64 px; fills are
lit from above (a vertical gradient from the light to the base shade); nothing reaches the
corners. Only what Qt's SVG renderer draws: paths, rects, circles, ellipses, gradients,
opacity.
"""

import math
import pathlib

# name: (light, base, dark)
HUES = {
    "blue": ("#9cc8f7", "#3a7bd5", "#1b4585"),
    "sky": ("#cfe8ff", "#5aa2ec", "#1b4585"),
    "glass": ("#f4faff", "#a9d3f5", "#2d4d6e"),
    "green": ("#a6e07e", "#4fa83a", "#2a6620"),
    "red": ("#f59a8c", "#d93b34", "#86201b"),
    "yellow": ("#ffe894", "#f3be2c", "#8a6006"),
    "amber": ("#f5c95a", "#d99a1c", "#8a6006"),
    "orange": ("#fbc07a", "#ee8229", "#98490c"),
    "purple": ("#c9a8f0", "#8757c9", "#4b2a85"),
    "teal": ("#86e0d8", "#26a69a", "#145f58"),
    "brown": ("#e2b47f", "#b27542", "#633a18"),
    "wood": ("#f9e2bd", "#dcaa6a", "#7a4f1e"),
    "grey": ("#f1f3f5", "#b3b9c1", "#4a5058"),
    "slate": ("#6b7480", "#353b44", "#17191d"),
    "paper": ("#ffffff", "#e3e8ee", "#5f6770"),
    "leaf": ("#eaf7dc", "#b6de96", "#4a7a30"),
    "sand": ("#fff7dd", "#f0dca0", "#8a6a20"),
    "cloud": ("#ffffff", "#cfe4f8", "#2f6fb5"),
    "indigo": ("#7f9cf5", "#3949ab", "#1a2366"),
    "pink": ("#f9c0cf", "#e5708f", "#8e2f4a"),
}
WHITE = "#ffffff"
INK = "#5f6770"  # text lines on paper


def n(v):
    return f"{v:.2f}".rstrip("0").rstrip(".")


class Picture:
    def __init__(self, title):
        self.title = title
        self.parts = []
        self.hues = []

    def fill(self, hue):
        if hue not in self.hues:
            self.hues.append(hue)
        return f"url(#{hue})"

    def element(self, tag, **attrs):
        text = " ".join(f'{k.rstrip("_").replace("_", "-")}="{v}"' for k, v in attrs.items())
        self.parts.append(f"<{tag} {text}/>")

    def svg(self):
        lines = [
            '<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny"'
            ' width="32" height="32" viewBox="0 0 32 32">',
            f"  <title>{self.title}</title>",
        ]
        if self.hues:
            lines.append("  <defs>")
            for hue in self.hues:
                light, base, _ = HUES[hue]
                lines.append(f'    <linearGradient id="{hue}" x1="0" y1="0" x2="0" y2="1">')
                lines.append(f'      <stop offset="0" stop-color="{light}"/>')
                lines.append(f'      <stop offset="1" stop-color="{base}"/>')
                lines.append("    </linearGradient>")
            lines.append("  </defs>")
        lines += ["  " + p for p in self.parts]
        lines.append("</svg>")
        return "\n".join(lines) + "\n"


# --- drawing helpers --------------------------------------------------------------------
# Outlined shapes take their outer extents (outline included) or centre-line paths.


def outlined(p, hue):
    return dict(fill=p.fill(hue), stroke=HUES[hue][2], stroke_width="2", stroke_linejoin="round")


def box(p, hue, x0, y0, x1, y1, r=0.0):
    p.element("rect", x=n(x0 + 1), y=n(y0 + 1), width=n(x1 - x0 - 2), height=n(y1 - y0 - 2),
              rx=n(r), **outlined(p, hue))


def flat_box(p, colour, x0, y0, x1, y1, r=0.0, opacity=None):
    extra = {"opacity": n(opacity)} if opacity is not None else {}
    p.element("rect", x=n(x0), y=n(y0), width=n(x1 - x0), height=n(y1 - y0), rx=n(r),
              fill=colour, **extra)


def shape(p, hue, d, evenodd=False):
    extra = {"fill_rule": "evenodd"} if evenodd else {}
    p.element("path", d=d, **outlined(p, hue), **extra)


def flat(p, colour, d, opacity=None, evenodd=False):
    extra = {"opacity": n(opacity)} if opacity is not None else {}
    if evenodd:
        extra["fill_rule"] = "evenodd"
    p.element("path", d=d, fill=colour, **extra)


def circle(p, hue, cx, cy, r):
    p.element("circle", cx=n(cx), cy=n(cy), r=n(r), **outlined(p, hue))


def dot(p, colour, cx, cy, r, opacity=None):
    extra = {"opacity": n(opacity)} if opacity is not None else {}
    p.element("circle", cx=n(cx), cy=n(cy), r=n(r), fill=colour, **extra)


def line(p, colour, d, width=2.0, cap="round"):
    p.element("path", d=d, fill="none", stroke=colour, stroke_width=n(width),
              stroke_linecap=cap, stroke_linejoin="round")


def bar(p, hue, d, width=2.0):
    """A thick stroke with the usual 2-unit outline on both sides."""
    line(p, HUES[hue][2], d, width + 4)
    line(p, HUES[hue][1], d, width)


def circle_path(cx, cy, r):
    return (f"M{n(cx + r)},{n(cy)} A{n(r)},{n(r)} 0 1 0 {n(cx - r)},{n(cy)}"
            f" A{n(r)},{n(r)} 0 1 0 {n(cx + r)},{n(cy)} Z")


def polar(cx, cy, r, degrees):
    a = math.radians(degrees)
    return cx + r * math.cos(a), cy + r * math.sin(a)


def gear(p, hue, cx, cy, outer, inner, teeth, hole):
    step = 360 / teeth
    points = []
    for i in range(teeth):
        a = i * step - 90
        for r, da in ((inner, -0.36), (outer, -0.2), (outer, 0.2), (inner, 0.36)):
            points.append(polar(cx, cy, r, a + da * step))
    d = "M" + " L".join(f"{n(x)},{n(y)}" for x, y in points) + " Z " + circle_path(cx, cy, hole)
    shape(p, hue, d, evenodd=True)


def badge(p, kind, cx=24, cy=24, r=7):
    hue = {"add": "green", "remove": "red"}[kind]
    circle(p, hue, cx, cy, r)
    a = 3.5 if kind == "add" else 2.8
    if kind == "add":
        d = f"M{n(cx - a)},{n(cy)} H{n(cx + a)} M{n(cx)},{n(cy - a)} V{n(cy + a)}"
    else:
        d = (f"M{n(cx - a)},{n(cy - a)} L{n(cx + a)},{n(cy + a)}"
             f" M{n(cx + a)},{n(cy - a)} L{n(cx - a)},{n(cy + a)}")
    line(p, WHITE, d, 2.5)


def folder(p, x0, y0, x1, y1):
    shape(p, "amber", f"M{x0 + 1},{y0 + 1} H{x0 + 9} L{x0 + 12},{y0 + 4} H{x1 - 1} V{y1 - 1}"
                      f" H{x0 + 1} Z")
    box(p, "yellow", x0, y0 + 7, x1, y1, 1)


def window(p, x0, y0, x1, y1):
    """A program window: a white body under a blue title bar."""
    box(p, "paper", x0, y0, x1, y1, 1.5)
    shape(p, "blue", f"M{x0 + 2.5},{y0 + 1} H{x1 - 2.5} Q{x1 - 1},{y0 + 1} {x1 - 1},{y0 + 2.5}"
                     f" V{y0 + 7} H{x0 + 1} V{y0 + 2.5} Q{x0 + 1},{y0 + 1} {x0 + 2.5},{y0 + 1} Z")
    dot(p, WHITE, x1 - 4.5, y0 + 4, 1.5)


def magnifier(p, cx, cy, r, handle_end):
    bar(p, "slate", f"M{n(cx + r * 0.75)},{n(cy + r * 0.75)} L{n(handle_end)},{n(handle_end)}", 3)
    circle(p, "glass", cx, cy, r)
    g = r * 0.55
    line(p, WHITE, f"M{n(cx - g)},{n(cy + 0.2 * g)} A{n(g)},{n(g)} 0 0 1 {n(cx - 0.2 * g)},{n(cy - g)}")


def pencil(p, x, y):
    """A pencil from the upper right down to its point at the lower left, centred on x, y."""
    p.parts.append(f'<g transform="translate({x},{y}) rotate(45)">')
    shape(p, "pink", "M-3,-12 H3 V-8 H-3 Z")
    shape(p, "orange", "M-3,-8 H3 V5 H-3 Z")
    shape(p, "wood", "M-3,5 H3 L0,11 Z")
    flat(p, HUES["slate"][1], "M-1.2,8.6 H1.2 L0,11 Z")
    p.parts.append("</g>")


def page(p, x0, y0, x1, y1, fold=6):
    shape(p, "paper", f"M{x0 + 1},{y0 + 1} H{x1 - 1 - fold} L{x1 - 1},{y0 + 1 + fold}"
                      f" V{y1 - 1} H{x0 + 1} Z")
    shape(p, "grey", f"M{x1 - 1 - fold},{y0 + 1} V{y0 + 1 + fold} H{x1 - 1} Z")


# --- the category pictures, in their fixed order ----------------------------------------


def computer(p):
    box(p, "grey", 5, 4, 27, 22, 2)
    flat_box(p, p.fill("sky"), 8, 7, 24, 19)
    flat(p, WHITE, "M8,7 H17 L8,15 Z", opacity=0.35)
    shape(p, "grey", "M3,22 H29 V25 Q29,27 27,27 H5 Q3,27 3,25 Z")
    flat_box(p, HUES["grey"][2], 13, 23, 19, 25, 1)


def display(p):
    box(p, "slate", 13, 22, 19, 27)
    box(p, "slate", 8, 26, 24, 30, 1.5)
    box(p, "slate", 2, 3, 30, 23, 2)
    flat_box(p, p.fill("sky"), 5, 6, 27, 20)
    flat(p, WHITE, "M5,6 H18 L5,16 Z", opacity=0.35)


def network(p):
    line(p, HUES["slate"][1], "M15,11 V16 M7,16 H25 M7,16 V21 M25,16 V21")
    box(p, "teal", 10, 2, 20, 11, 1.5)
    box(p, "teal", 2, 20, 12, 29, 1.5)
    box(p, "teal", 20, 20, 30, 29, 1.5)
    for x, y in ((12, 4), (4, 22), (22, 22)):
        flat_box(p, WHITE, x, y, x + 6, y + 3, 0.5, opacity=0.7)


def web_browser(p):
    circle(p, "blue", 16, 16, 13)
    light = "#dcecff"
    p.element("ellipse", cx="16", cy="16", rx="5.5", ry="12", fill="none", stroke=light,
              stroke_width="2")
    line(p, light, "M4,16 H28 M16,4 V28 M5.5,10 H26.5 M5.5,22 H26.5")
    # The outline again, over the ends of the grid lines.
    p.element("circle", cx="16", cy="16", r="13", fill="none", stroke=HUES["blue"][2],
              stroke_width="2")


def folder_picture(p):
    folder(p, 2, 5, 30, 28)
    flat_box(p, WHITE, 4, 14, 28, 16, opacity=0.45)


def music(p):
    dark = HUES["purple"][2]
    line(p, dark, "M12,11 V24 M26,7 V21")
    p.element("ellipse", cx="8.5", cy="24.5", rx="4.5", ry="3.5",
              transform="rotate(-20 8.5 24.5)", **outlined(p, "purple"))
    p.element("ellipse", cx="22.5", cy="21.5", rx="4.5", ry="3.5",
              transform="rotate(-20 22.5 21.5)", **outlined(p, "purple"))
    shape(p, "purple", "M11,8 L27,4 V9 L11,13 Z")


def tools(p):
    p.parts.append('<g transform="rotate(45 16 16)">')
    shape(p, "grey", "M13,0.3 L13,5 L19,5 L19,0.3 A6.5,6.5 0 0 1 18,12.2 L18,28 A2,2 0 0 1 14,28"
                     " L14,12.2 A6.5,6.5 0 0 1 13,0.3 Z")
    p.parts.append("</g>")
    p.parts.append('<g transform="rotate(-45 16 16)">')
    bar(p, "grey", "M16,5 V17", 2)
    box(p, "red", 12, 17, 20, 30, 2.5)
    flat_box(p, WHITE, 14.5, 19, 15.5, 28, opacity=0.5)
    p.parts.append("</g>")


def magnifier_picture(p):
    magnifier(p, 13, 13, 9, 27)


def hard_disk(p):
    shape(p, "grey", "M8,8 H24 L29,15 H3 Z")
    box(p, "grey", 2, 14, 30, 26, 1.5)
    line(p, HUES["grey"][2], "M6,20 H15")
    dot(p, "#5ad13a", 25, 20, 1.8)
    flat(p, HUES["grey"][2], "M8,8 H24 L29,15 H3 Z", opacity=0.12)


def optical_disc(p):
    shape(p, "grey", circle_path(16, 16, 13) + " " + circle_path(16, 16, 3), evenodd=True)

    def sector(a0, a1, colour, opacity):
        ox0, oy0 = polar(16, 16, 12, a0)
        ox1, oy1 = polar(16, 16, 12, a1)
        ix0, iy0 = polar(16, 16, 6, a0)
        ix1, iy1 = polar(16, 16, 6, a1)
        flat(p, colour, f"M{n(ix0)},{n(iy0)} L{n(ox0)},{n(oy0)} A12,12 0 0 1 {n(ox1)},{n(oy1)}"
                        f" L{n(ix1)},{n(iy1)} A6,6 0 0 0 {n(ix0)},{n(iy0)} Z", opacity)

    sector(-100, -20, "#7fd7ff", 0.7)
    sector(80, 160, "#ff9fd0", 0.6)
    p.element("circle", cx="16", cy="16", r="6", fill="none", stroke=HUES["grey"][2],
              stroke_width="2")


def usb_drive(p):
    box(p, "grey", 19, 10, 30, 22, 1)
    flat_box(p, HUES["grey"][2], 23, 13, 26, 15)
    flat_box(p, HUES["grey"][2], 23, 17, 26, 19)
    box(p, "blue", 2, 8, 21, 24, 2.5)
    flat_box(p, WHITE, 5, 12, 16, 15, 1, opacity=0.5)


def media_player(p):
    box(p, "orange", 3, 3, 29, 29, 6)
    flat(p, WHITE, "M12.5,9.5 L23,16 L12.5,22.5 Z")
    line(p, WHITE, "M12.5,9.5 L23,16 L12.5,22.5 Z", 1.5)


def archive(p):
    box(p, "brown", 4, 11, 28, 29, 1)
    box(p, "brown", 2, 6, 30, 13, 1)
    flat_box(p, HUES["brown"][2], 12, 16, 20, 19.5, 1.5)


def games(p):
    shape(p, "slate", "M9,9 H23 C27.5,9 29,14 29,19 C29,23.5 27.5,26 25,26 C22,26 21,22.5 16,22.5"
                      " C11,22.5 10,26 7,26 C4.5,26 3,23.5 3,19 C3,14 4.5,9 9,9 Z")
    flat(p, WHITE, "M7,14.5 H9 V12.5 H11 V14.5 H13 V16.5 H11 V18.5 H9 V16.5 H7 Z")
    dot(p, "#ff6b5e", 23.5, 14, 2)
    dot(p, "#6fdc4f", 20, 17.5, 2)


def text_document(p):
    box(p, "paper", 10, 2, 28, 24, 1)
    box(p, "paper", 4, 7, 22, 30, 1)
    flat_box(p, p.fill("blue"), 7, 10, 19, 14)
    line(p, INK, "M8,18 H18 M8,22 H18 M8,26 H14")


def spreadsheet(p):
    box(p, "paper", 3, 3, 29, 29, 1)
    flat_box(p, p.fill("green"), 5, 5, 27, 11)
    line(p, HUES["green"][1], "M11,11 V27 M19,11 V27 M5,17 H27 M5,23 H27", 2, "butt")


def chart(p):
    box(p, "blue", 7, 16, 13, 28)
    box(p, "green", 15, 8, 21, 28)
    box(p, "orange", 23, 12, 29, 28)
    line(p, HUES["slate"][1], "M4,4 V27 H30")


def pictures(p):
    box(p, "paper", 2, 5, 30, 27, 1)
    flat_box(p, p.fill("sky"), 5, 8, 27, 24)
    dot(p, "#ffd84a", 21.5, 12.5, 2.5)
    flat(p, p.fill("green"), "M5,24 L12,14 L17,20 L20,17 L27,24 Z")


def video(p):
    box(p, "slate", 3, 13, 29, 29, 1.5)
    p.parts.append('<g transform="rotate(-14 4 13)">')
    box(p, "slate", 3, 7, 29, 13, 1)
    for x in (6, 12, 18, 24):
        flat(p, WHITE, f"M{x},9 H{x + 3} L{x + 1},11 H{x - 2} Z")
    p.parts.append("</g>")
    for x in (7, 13, 19, 25):
        flat(p, WHITE, f"M{x},15 H{x + 3} L{x + 1},18 H{x - 2} Z")
    flat_box(p, "#5f6a78", 5, 21, 27, 23)


def chat(p):
    shape(p, "blue", "M6,3 H18 C20,3 21,4 21,6 V12 C21,14 20,15 18,15 H10 L6,19 V15 C4,15 3,14"
                     " 3,12 V6 C3,4 4,3 6,3 Z")
    shape(p, "green", "M14,11 H26 C28,11 29,12 29,14 V21 C29,23 28,24 26,24 V28.5 L21.5,24 H14"
                      " C12,24 11,23 11,21 V14 C11,12 12,11 14,11 Z")
    for x in (15.5, 20, 24.5):
        dot(p, WHITE, x, 17.5, 1.6)


def mail(p):
    box(p, "paper", 2, 6, 30, 26, 1.5)
    line(p, HUES["paper"][2], "M4,24 L12.5,16 M28,24 L19.5,16")
    shape(p, "paper", "M3,7.5 L16,18 L29,7.5")


def security(p):
    shape(p, "blue", "M16,3 L27,6.5 V15 C27,21.5 22.5,26.5 16,29.5 C9.5,26.5 5,21.5 5,15 V6.5 Z")
    flat(p, HUES["blue"][2], "M16,4 L26,7.2 V15 C26,21 22,25.5 16,28.4 Z", opacity=0.2)
    line(p, WHITE, "M10.5,16 L14.5,20 L21.5,11.5", 3)


def padlock(p):
    bar(p, "grey", "M10.5,15 V11 C10.5,7.5 12.8,5 16,5 C19.2,5 21.5,7.5 21.5,11 V15", 2)
    box(p, "yellow", 5, 13, 27, 29, 2)
    dot(p, HUES["yellow"][2], 16, 19.5, 2.3)
    flat_box(p, HUES["yellow"][2], 15, 20, 17, 25, 0.5)


def settings(p):
    gear(p, "grey", 16, 16, 14, 10.5, 8, 4.5)


def star(p):
    points = [polar(16, 17.5, 14 if i % 2 == 0 else 6, -90 + i * 36) for i in range(10)]
    shape(p, "yellow", "M" + " L".join(f"{n(x)},{n(y)}" for x, y in points) + " Z")


def heart(p):
    shape(p, "red", "M16,28 C9,23 3,18.5 3,11.5 C3,7.5 6,5 9.5,5 C12.5,5 14.5,7 16,9.5 C17.5,7"
                    " 19.5,5 22.5,5 C26,5 29,7.5 29,11.5 C29,18.5 23,23 16,28 Z")
    p.element("ellipse", cx="9", cy="11", rx="2.5", ry="3.5", transform="rotate(30 9 11)",
              fill=WHITE, opacity="0.5")


def home(p):
    box(p, "red", 20, 4, 25, 13)
    box(p, "paper", 6, 14, 26, 29)
    box(p, "brown", 13, 19, 19, 29, 0.5)
    shape(p, "red", "M3,17 L16,4.5 L29,17 Z")


def clock(p):
    circle(p, "blue", 16, 16, 13)
    dot(p, WHITE, 16, 16, 10)
    dark = HUES["slate"][1]
    line(p, dark, "M16,7.5 V9 M24.5,16 H23 M16,24.5 V23 M7.5,16 H9", 2, "butt")
    line(p, dark, "M16,16 V10 M16,16 L20.5,19.5")
    dot(p, HUES["red"][1], 16, 16, 1.5)


def calendar(p):
    box(p, "paper", 3, 5, 29, 29, 2)
    shape(p, "red", "M6,6 H26 Q28,6 28,8 V13 H4 V8 Q4,6 6,6 Z")
    for x in (9, 21):
        flat_box(p, HUES["slate"][1], x, 3, x + 2, 9, 1)
    grey = "#aab2bc"
    for row, y in enumerate((16, 20, 24)):
        for col, x in enumerate((7, 12, 17, 22)):
            colour = HUES["red"][1] if (row, col) == (1, 2) else grey
            flat_box(p, colour, x, y, x + 3, y + 2.5, 0.5)


def book(p):
    box(p, "paper", 7, 21, 27, 30, 1)
    line(p, "#c3cad3", "M9,25.5 H25", 1, "butt")
    box(p, "green", 5, 2, 27, 25, 1.5)
    flat_box(p, HUES["green"][2], 6, 3, 10, 24, opacity=0.35)
    flat_box(p, WHITE, 13, 7, 23, 11, 0.5, opacity=0.7)
    flat(p, HUES["red"][1], "M20,24 V30 L22,28.3 L24,30 V24 Z")


def code(p):
    bar(p, "purple", "M10.5,9 L4.5,16 L10.5,23")
    bar(p, "purple", "M21.5,9 L27.5,16 L21.5,23")
    bar(p, "orange", "M18,7 L14,25")


def terminal(p):
    box(p, "slate", 2, 4, 30, 28, 2)
    flat_box(p, "#5b6470", 4, 6, 28, 10, 0.5)
    line(p, "#8ff06a", "M8,14 L12,18 L8,22", 2.5)
    line(p, "#e8edf2", "M15,22.5 H22", 2.5)


def database(p):
    shape(p, "teal", "M4,8 A12,4 0 0 1 28,8 V24 A12,4 0 0 1 4,24 Z")
    line(p, HUES["teal"][2], "M4,14 A12,4 0 0 0 28,14 M4,19.5 A12,4 0 0 0 28,19.5")
    p.element("ellipse", cx="16", cy="8", rx="12", ry="4", **outlined(p, "teal"))


def cloud(p):
    shape(p, "cloud", "M8,25 C4.7,25 3,22.5 3,20 C3,17 5.5,15 8.5,15 C9,10.5 12.5,7 17,7 C21.5,7"
                      " 24.5,10.5 25,14.5 C27.5,15 29,17.3 29,20 C29,22.8 27,25 24,25 Z")


def download(p):
    shape(p, "grey", "M3,19 H9 V23 H23 V19 H29 V28 H3 Z")
    shape(p, "green", "M12,3 H20 V12 H25.5 L16,22 L6.5,12 H12 Z")


def printer(p):
    box(p, "paper", 8, 2, 24, 12)
    box(p, "grey", 2, 10, 30, 24, 2)
    flat_box(p, HUES["slate"][1], 6, 18, 26, 21, 1)
    box(p, "paper", 8, 19, 24, 30)
    line(p, "#aab2bc", "M11,24 H21 M11,27 H18", 1.5, "butt")
    dot(p, "#5ad13a", 25.5, 14, 1.5)


def camera(p):
    shape(p, "slate", "M10,10 L12,6 H20 L22,10 Z")
    box(p, "slate", 2, 9, 30, 27, 3)
    circle(p, "grey", 16, 18, 7)
    p.element("circle", cx="16", cy="18", r="4.5", fill=p.fill("sky"))
    dot(p, WHITE, 14.5, 16.5, 1.3)
    flat_box(p, "#ffe27a", 23, 12, 27, 14, 0.5)


def phone(p):
    shape(p, "green", "M8,3 H11.5 L14.5,10 L11.5,13 C13,16.5 15.5,19 19,20.5 L22,17.5 L29,20.5 V24"
                      " C29,27 27,29 24,29 C14,29 3,18 3,8 C3,5 5,3 8,3 Z")


def map_picture(p):
    shape(p, "leaf", "M3,7 L11,4 V25 L3,28 Z")
    shape(p, "sand", "M11,4 L21,7 V28 L11,25 Z")
    shape(p, "leaf", "M21,7 L29,4 V25 L21,28 Z")
    shape(p, "red", "M16,21 C13,17.5 11,15 11,12.5 A5,5 0 0 1 21,12.5 C21,15 19,17.5 16,21 Z")
    dot(p, WHITE, 16, 12.5, 1.8)


def calculator(p):
    box(p, "grey", 5, 2, 27, 30, 2.5)
    box(p, "leaf", 8, 5, 24, 12, 1)
    for row, y in enumerate((15, 20, 25)):
        for col, x in enumerate((8.5, 14, 19.5)):
            colour = HUES["orange"][1] if (row, col) == (2, 2) else HUES["slate"][0]
            flat_box(p, colour, x, y, x + 4, y + 3, 0.8)


def paint_palette(p):
    shape(p, "wood", "M16,3 C24,3 29,8 29,14.5 C29,19 26,20.5 23,19.5 C20,18.7 18,20.5 19,23.5"
                     " C20,27 17.5,29 15,29 C8,29 3,23.5 3,16 C3,8.5 8.5,3 16,3 Z "
                     + circle_path(10.5, 21.5, 2.3), evenodd=True)
    dot(p, "#e53935", 10, 12, 2.6)
    dot(p, "#fbc02d", 16, 8.5, 2.6)
    dot(p, "#43a047", 22.5, 10, 2.6)
    dot(p, "#1e88e5", 24.5, 15.2, 2.2)


def people(p):
    circle(p, "blue", 21.5, 9, 4.5)
    shape(p, "blue", "M14,23 C14,17.5 17,15 21.5,15 C26,15 29,17.5 29,23 Z")
    circle(p, "orange", 11.5, 12.5, 5)
    shape(p, "orange", "M3,28 C3,22 6.5,19.5 11.5,19.5 C16.5,19.5 20,22 20,28 Z")


def flask(p):
    glass = "M13,4 V11.5 L5,25.5 C4,27.5 5,29 7,29 H25 C27,29 28,27.5 27,25.5 L19,11.5 V4"
    flat(p, p.fill("glass"), glass + " Z")
    flat(p, p.fill("green"), "M8.7,19 H23.3 L27,25.5 C28,27.5 27,29 25,29 H7 C5,29 4,27.5 5,25.5 Z")
    line(p, HUES["glass"][2], glass)
    line(p, HUES["glass"][2], "M11,4 H21")
    dot(p, WHITE, 13, 24.5, 1.3, opacity=0.8)
    dot(p, WHITE, 18, 22.5, 1, opacity=0.8)


def light_bulb(p):
    box(p, "grey", 11, 22, 21, 28, 1)
    line(p, HUES["grey"][2], "M11.5,25 H20.5", 1.5, "butt")
    box(p, "slate", 13, 27, 19, 30, 1.5)
    shape(p, "yellow", "M16,2.5 C21.5,2.5 25.5,6.5 25.5,12 C25.5,16 22.5,18.5 21,21 V23 H11 V21"
                       " C9.5,18.5 6.5,16 6.5,12 C6.5,6.5 10.5,2.5 16,2.5 Z")
    line(p, HUES["orange"][2], "M13,13 L14.5,16 L16,13 L17.5,16 L19,13", 1.5)


def puzzle(p):
    shape(p, "orange", "M4,9 H11 A3.5,3.5 0 1 1 17,9 H24 V16 A3.5,3.5 0 1 1 24,22 V29 H4 Z")


CATEGORY = [
    ("computer", computer),
    ("display", display),
    ("network", network),
    ("web browser", web_browser),
    ("folder", folder_picture),
    ("music notes", music),
    ("tools", tools),
    ("magnifier", magnifier_picture),
    ("hard disk", hard_disk),
    ("optical disc", optical_disc),
    ("usb flash drive", usb_drive),
    ("media player", media_player),
    ("archive", archive),
    ("gamepad", games),
    ("documents", text_document),
    ("spreadsheet", spreadsheet),
    ("bar chart", chart),
    ("picture", pictures),
    ("clapperboard", video),
    ("speech bubbles", chat),
    ("envelope", mail),
    ("shield", security),
    ("padlock", padlock),
    ("gear", settings),
    ("star", star),
    ("heart", heart),
    ("house", home),
    ("clock", clock),
    ("calendar", calendar),
    ("book", book),
    ("code", code),
    ("terminal", terminal),
    ("database", database),
    ("cloud", cloud),
    ("download", download),
    ("printer", printer),
    ("camera", camera),
    ("phone", phone),
    ("map", map_picture),
    ("calculator", calculator),
    ("paint palette", paint_palette),
    ("people", people),
    ("flask", flask),
    ("light bulb", light_bulb),
    ("puzzle piece", puzzle),
]

# --- file kinds: 0 missing, 1 .bat, 2 .com, 3 any other file -------------------------------


def missing(p):
    circle(p, "red", 16, 16, 13)
    line(p, WHITE, "M11.8,12.2 C11.8,9.2 13.7,7.3 16.2,7.3 C18.8,7.3 20.6,9 20.6,11.4"
                   " C20.6,13.6 19.2,14.6 17.8,15.6 C16.7,16.4 16.2,17.2 16.2,19", 3.5)
    dot(p, WHITE, 16.2, 23.6, 2.2)


def batch_file(p):
    window(p, 2, 3, 28, 26)
    gear(p, "grey", 22, 22, 8.5, 6.2, 8, 2.5)


def command_file(p):
    window(p, 2, 4, 30, 28)


def other_file(p):
    page(p, 5, 2, 27, 30)
    line(p, "#aab2bc", "M10,15 H22 M10,19 H22 M10,23 H18", 2, "butt")


FILEKIND = [
    ("missing program file", missing),
    ("batch file", batch_file),
    ("command program", command_file),
    ("document", other_file),
]

# --- toolbar and menu images, at the action indexes ---------------------------------------


def new_category(p):
    folder(p, 2, 3, 28, 25)
    badge(p, "add")


def remove_category(p):
    folder(p, 2, 3, 28, 25)
    badge(p, "remove")


def options(p):
    gear(p, "grey", 12, 12, 10.5, 7.8, 8, 3.2)
    gear(p, "blue", 23, 23, 7.5, 5.4, 6, 2.2)


def new_shortcut(p):
    window(p, 2, 3, 26, 24)
    badge(p, "add")


def edit_shortcut(p):
    window(p, 2, 3, 26, 24)
    pencil(p, 21, 19)


def remove_shortcut(p):
    window(p, 2, 3, 26, 24)
    badge(p, "remove")


def refresh(p):
    def arrow(a0, a1):
        head = a1 + 38
        pts_outer = [polar(16, 16, 12.5, a) for a in (a0, a1)]
        pts_inner = [polar(16, 16, 7.5, a) for a in (a0, a1)]
        wing_out = polar(16, 16, 15, a1)
        wing_in = polar(16, 16, 5, a1)
        tip = polar(16, 16, 10, head)
        (ox0, oy0), (ox1, oy1) = pts_outer
        (ix0, iy0), (ix1, iy1) = pts_inner
        shape(p, "green", f"M{n(ox0)},{n(oy0)} A12.5,12.5 0 0 1 {n(ox1)},{n(oy1)}"
                          f" L{n(wing_out[0])},{n(wing_out[1])} L{n(tip[0])},{n(tip[1])}"
                          f" L{n(wing_in[0])},{n(wing_in[1])} L{n(ix1)},{n(iy1)}"
                          f" A7.5,7.5 0 0 0 {n(ix0)},{n(iy0)} Z")

    arrow(190, 300)
    arrow(10, 120)


def search(p):
    folder(p, 2, 3, 26, 23)
    magnifier(p, 20, 19, 6, 27.5)


def physical_remove(p):
    box(p, "grey", 2, 4, 22, 9, 1)
    line(p, HUES["grey"][2], "M9,4.5 V3 H15 V4.5", 2)
    shape(p, "grey", "M4,8 H20 L18.5,29 H5.5 Z")
    line(p, HUES["grey"][2], "M9,12 L9.5,25 M15,12 L14.5,25", 1.5)
    shape(p, "yellow", "M21,10.5 L30,28 H12 Z")
    line(p, HUES["slate"][2], "M21,16.5 V22", 3)
    dot(p, HUES["slate"][2], 21, 25.2, 1.6)


def about(p):
    circle(p, "blue", 16, 16, 13)
    dot(p, WHITE, 16, 9.5, 2.3)
    flat_box(p, WHITE, 14, 13.5, 18, 24, 1)


def open_folder(p):
    shape(p, "amber", "M3,6 H11 L14,9 H27 V27 H3 Z")
    box(p, "paper", 6, 9, 25, 18)
    shape(p, "yellow", "M7.5,14 H30 L25.5,27 H3 Z")


TOOLBAR = [
    ("new category", new_category),
    ("remove category", remove_category),
    ("options", options),
    ("new shortcut", new_shortcut),
    ("edit shortcut", edit_shortcut),
    ("remove shortcut", remove_shortcut),
    ("refresh", refresh),
    ("search", search),
    ("physical remove", physical_remove),
    ("about", about),
    ("open folder", open_folder),
]


def velmo(p):
    box(p, "indigo", 2, 2, 30, 30, 7)
    flat(p, WHITE, "M7,8 H12.5 L16,18.5 L19.5,8 H25 L18.8,25 H13.2 Z")
    dot(p, "#ffb74a", 24.5, 24.5, 2.3)


def write(path, title, draw):
    picture = Picture(title)
    draw(picture)
    path.write_text(picture.svg(), encoding="utf-8")


def main():
    here = pathlib.Path(__file__).resolve().parent
    for folder_name, pictures_list, digits in (("category", CATEGORY, 2), ("filekind", FILEKIND, 1),
                                               ("toolbar", TOOLBAR, 2)):
        (here / folder_name).mkdir(exist_ok=True)
        for index, (title, draw) in enumerate(pictures_list):
            write(here / folder_name / f"{index:0{digits}d}.svg", title, draw)
    write(here / "velmo.svg", "VELMO", velmo)


if __name__ == "__main__":
    main()
