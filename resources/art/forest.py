#!/usr/bin/env python3
"""Paints the About window's photograph: a snowy conifer forest at dusk.

    forest.py WIDTH HEIGHT OUT.ppm [PART_WIDTH PART_HEIGHT]

The scene is laid out on an 800 x 600 grid and sampled at whatever size is
asked for, so the high-density copy is the same picture, not a new one.
With a part size only that top-left corner of the picture is painted and
written, which makes a high-density copy of the shown strip cheap.
Only the standard library is used; a fixed seed makes every run give the
same pixels, which keeps rerendering from churning the committed JPEG.

The About window shows just the top-left 44 x 164 of it, so one snow-laden
tree stands at the left edge on a snow bank that rises toward that corner.
"""

import math
import random
import sys

SCENE_W, SCENE_H = 800.0, 600.0
SEED = 1031

# Colours of deep blue dusk light, as linear-ish 0..255 triples.
SKY_TOP = (12, 26, 72)
SKY_LOW = (66, 102, 170)
HAZE = (70, 102, 164)
SNOW_LIT = (176, 198, 240)
SNOW_SHADE = (70, 94, 152)
NEEDLES = (10, 22, 46)
TRUNK = (20, 22, 34)
MOON_GLOW = (120, 150, 210)


class Noise:
    """Smooth value noise on a hashed lattice; cheap enough for pure Python."""

    def __init__(self, rng):
        self.perm = list(range(256))
        rng.shuffle(self.perm)
        self.perm += self.perm
        self.vals = [rng.random() for _ in range(256)]

    def __call__(self, x, y):
        xi, yi = math.floor(x), math.floor(y)
        fx, fy = x - xi, y - yi
        xi &= 255
        yi &= 255
        p, v = self.perm, self.vals
        a = v[p[p[xi] + yi]]
        b = v[p[p[xi + 1] + yi]]
        c = v[p[p[xi] + yi + 1]]
        d = v[p[p[xi + 1] + yi + 1]]
        sx = fx * fx * (3 - 2 * fx)
        sy = fy * fy * (3 - 2 * fy)
        top = a + (b - a) * sx
        return top + (c + (d - c) * sx - top) * sy

    def fractal(self, x, y, octaves=3):
        total, amp, norm = 0.0, 1.0, 0.0
        for _ in range(octaves):
            total += amp * self(x, y)
            norm += amp
            x, y, amp = x * 2.03, y * 2.01, amp * 0.5
        return total / norm


def mix(a, b, t):
    return (a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t, a[2] + (b[2] - a[2]) * t)


def ground_line(x):
    """Scene y of the snow surface: a plain at 300 rising to a bank at the left."""
    rise = max(0.0, 1.0 - x / 280.0)
    return 300.0 - 200.0 * rise ** 1.3


class Canvas:
    def __init__(self, width, height, part_w, part_h):
        # w and h bound every painting loop, so only the part is painted;
        # the lens fall-off still follows the whole picture.
        self.w, self.h = part_w, part_h
        self.full_w, self.full_h = width, height
        self.k = width / SCENE_W  # pixels per scene unit
        self.px = [[(0.0, 0.0, 0.0)] * part_w for _ in range(part_h)]

    def blend(self, x, y, colour, alpha):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = mix(self.px[y][x], colour, alpha) if alpha < 1 else colour

    def write_ppm(self, path, rng):
        out = bytearray()
        for y, row in enumerate(self.px):
            sy = y / self.full_h - 0.5
            for x, (r, g, b) in enumerate(row):
                sx = x / self.full_w - 0.5
                # a lens-like fall-off and sensor grain sell it as a photograph
                vig = 1.0 - 0.55 * (sx * sx + sy * sy)
                grain = rng.gauss(0.0, 3.2)
                for c in (r, g, b):
                    out.append(max(0, min(255, int(c * vig + grain + 0.5))))
        with open(path, "wb") as f:
            f.write(b"P6\n%d %d\n255\n" % (self.w, self.h))
            f.write(out)


def paint_sky(cv, noise, rng):
    k = cv.k
    for y in range(cv.h):
        t = min(1.0, (y / k) / 320.0) ** 1.4
        base = mix(SKY_TOP, SKY_LOW, t)
        row = cv.px[y]
        for x in range(cv.w):
            cloud = noise.fractal(x / k / 140.0, y / k / 45.0, 3)
            colour = mix(base, HAZE, max(0.0, cloud - 0.55) * 0.6)
            # the moon is out of frame, up to the right; its glow is not
            d2 = ((x / k - 620.0) ** 2 + (y / k + 40.0) ** 2) / 260.0 ** 2
            row[x] = mix(colour, MOON_GLOW, 0.4 * math.exp(-d2))
    for _ in range(260):
        sx, sy = rng.uniform(0, SCENE_W), rng.uniform(0, 230)
        cv.blend(int(sx * k), int(sy * k), (200, 210, 255), rng.uniform(0.15, 0.6))


def snow_colour(noise, sx, sy):
    """The lying snow at a scene point: brighter near, hazier far, in drifts."""
    gy = ground_line(sx)
    depth = min(1.0, (sy - gy) / 260.0 + (sy - 300.0) / 400.0)
    drift = noise.fractal(sx / 90.0, sy / 22.0, 4)
    light = 0.55 + 0.35 * max(0.0, depth) + 0.35 * (drift - 0.5)
    if sx < 280:  # the bank faces the light
        light += 0.2 * (1.0 - sx / 280.0)
    colour = mix(SNOW_SHADE, SNOW_LIT, max(0.0, min(1.0, light)))
    far = max(0.0, 1.0 - (sy - 290.0) / 120.0)
    return mix(colour, HAZE, 0.5 * far * (1.0 if sx >= 280 else 0.3))


def paint_ground(cv, noise):
    k = cv.k
    lines = [ground_line(x / k) * k for x in range(cv.w)]
    for y in range(cv.h):
        row = cv.px[y]
        for x in range(cv.w):
            gy = lines[x]
            if y < gy:
                continue
            colour = snow_colour(noise, x / k, y / k)
            # soften the silhouette of the snow line against what is behind
            row[x] = mix(row[x], colour, min(1.0, y - gy + 0.5))


def tiers_of(tree, rng):
    """Where each branch layer starts, from the tip down, and how wide it is."""
    n = tree[5]
    cuts = [0.0]
    for i in range(1, n + 1):
        cuts.append(0.96 * (i + rng.uniform(-0.3, 0.3)) / n if i < n else 0.96)
    widths = [rng.uniform(0.8, 1.15) for _ in range(n)]
    return cuts, widths


def paint_shadow(cv, tree):
    """The tree's shadow stretched across the snow, away from the low light."""
    cx, base, height, width, haze, _ = tree
    k = cv.k
    length, depth = width * 1.6, max(1.5, width * 0.1)
    strength = 0.45 * (1.0 - haze)
    for y in range(int((base - depth) * k), int((base + depth) * k) + 1):
        if not 0 <= y < cv.h:
            continue
        dy = (y / k - base) / depth
        for x in range(int((cx - width * 0.2) * k), int((cx + length) * k) + 1):
            if 0 <= x < cv.w and y >= ground_line(x / k) * k:
                dx = (x / k - cx - length * 0.4) / (length * 0.6)
                d = dx * dx + dy * dy
                if d < 1.0:
                    cv.px[y][x] = mix(cv.px[y][x], SNOW_SHADE, strength * (1.0 - d))


def paint_tree(cv, noise, tree, layers):
    """One spruce: branch layers drooping at their tips, snow on top of each."""
    cx, base, height, width, haze, n = tree
    cuts, widths = layers
    k = cv.k
    top = base - height
    half = width / 2
    droop = 0.55 * 0.96 / n  # tips hang about half a layer below where they start
    phase = cx * 0.37
    reach = half * 1.2
    for y in range(max(0, int(top * k)), min(cv.h, int(base * k) + 1)):
        sy = y / k
        t = max(0.0, (sy - top) / height)
        row = cv.px[y]
        for x in range(max(0, int((cx - reach) * k)), min(cv.w, int((cx + reach) * k) + 2)):
            sx = x / k
            dx = sx - cx
            a = abs(dx) / half
            side = 13.0 if dx > 0 else 0.0
            if t >= 0.96:
                # below the last layer only the trunk shows, and barely
                hw = half * 0.035
                if abs(dx) > hw:
                    continue
                colour = TRUNK
            else:
                te = t - droop * a ** 1.5
                if te < 0.0:
                    continue
                tier = 0
                while tier < n - 1 and cuts[tier + 1] <= te:
                    tier += 1
                s = (te - cuts[tier]) / (cuts[tier + 1] - cuts[tier])
                env = half * (0.06 + 0.94 * cuts[tier + 1] / 0.96) * widths[tier]
                hw = env * (0.12 + 0.88 * s ** 0.6)
                hw *= 0.84 + 0.3 * noise(sy / 1.7 + phase + side, tier * 5.3)
                if abs(dx) > hw:
                    continue
                u = dx / hw
                grain = noise(sx / 0.9 + phase, sy / 0.8)
                clump = noise(sx / 3.2 + side, sy / 2.2 + phase)
                snow_line = 0.5 - 0.22 * abs(u) + 0.45 * (clump - 0.5)
                if s < snow_line:
                    lit = 0.85 - 0.4 * u - 0.7 * s + 0.35 * (grain - 0.5)
                    colour = mix(SNOW_SHADE, SNOW_LIT, max(0.0, min(1.0, lit)))
                else:
                    # needles in the shade of the layer above, darkest near the trunk
                    depth = (1.0 - abs(u)) * 0.6 + s * 0.4
                    colour = mix(NEEDLES, SNOW_SHADE, max(0.0, 0.35 * grain + 0.15 - 0.25 * depth))
            colour = mix(colour, HAZE, haze)
            edge = min(1.0, (hw - abs(dx)) * k)  # antialias the ragged outline
            row[x] = mix(row[x], colour, edge)

def forest(rng):
    """The trees as (centre x, base y, height, width, haze, layers)."""
    trees = []
    # a far tree line along the horizon, pale with distance
    x = 150.0
    while x < 820:
        h = rng.uniform(38, 100)
        trees.append((x, 300 + rng.uniform(0, 8), h, h * rng.uniform(0.38, 0.5), 0.72, 7))
        x += rng.uniform(6, 16)
    # the middle distance on the plain, hazier the further back
    for _ in range(34):
        x = rng.uniform(200, 820)
        base = rng.uniform(312, 400)
        h = (base - 240) * rng.uniform(2.2, 3.0)
        trees.append((x, base, h, h * rng.uniform(0.36, 0.44), max(0.0, 0.5 - (base - 312) / 180), int(h / 16) + 6))
    # trees up the bank at the left, the ones the About window shows
    for x, h in ((-8, 130), (56, 150), (96, 185), (142, 205), (196, 240)):
        base = ground_line(x) + 6
        trees.append((x, base, h, h * 0.4, 0.18, int(h / 14)))
    trees.append((23, ground_line(23) + 8, 124, 48, 0.0, 11))
    # two big spruces close by on the right frame the picture
    trees.append((630, 540, 520, 210, 0.0, 26))
    trees.append((775, 600, 600, 240, 0.0, 28))
    trees.sort(key=lambda t: t[1])
    return trees


def paint_flakes(cv, rng):
    k = cv.k
    for _ in range(900):
        sx, sy = rng.uniform(0, SCENE_W), rng.uniform(0, SCENE_H)
        r = rng.uniform(0.4, 1.6) * k
        a = rng.uniform(0.35, 0.85)
        for y in range(int(sy * k - r) - 1, int(sy * k + r) + 2):
            for x in range(int(sx * k - r) - 1, int(sx * k + r) + 2):
                d = math.hypot(x - sx * k, y - sy * k)
                if d < r + 1:
                    cv.blend(x, y, (215, 228, 255), a * min(1.0, r + 1 - d))


def main(argv):
    if len(argv) not in (4, 6):
        sys.exit("usage: forest.py WIDTH HEIGHT OUT.ppm [PART_WIDTH PART_HEIGHT]")
    width, height, path = int(argv[1]), int(argv[2]), argv[3]
    part_w, part_h = (int(argv[4]), int(argv[5])) if len(argv) == 6 else (width, height)
    if not (0 < part_w <= width and 0 < part_h <= height):
        sys.exit("forest.py: the part must lie within the picture")
    rng = random.Random(SEED)
    noise = Noise(rng)
    cv = Canvas(width, height, part_w, part_h)
    paint_sky(cv, noise, rng)
    paint_ground(cv, noise)
    trees = forest(rng)
    for tree in trees:
        paint_shadow(cv, tree)
    for tree in trees:
        paint_tree(cv, noise, tree, tiers_of(tree, rng))
    paint_flakes(cv, rng)
    cv.write_ppm(path, rng)


if __name__ == "__main__":
    main(sys.argv)
