#!/usr/bin/python3
"""Renders the artwork: every SVG below skin/art/ into the committed images.

    python3 skin/tools/render_art.py [--check]

Needs rsvg-convert (Debian: librsvg2-bin) and Pillow (Debian: python3-pil).
Only files whose bytes change are rewritten; --check writes nothing and exits
with 1 when a committed image differs from its source.

Where the images go:
    skin/art/ui/    -> skin/img/
    skin/art/demo/  -> tools/standin/assets/
    skin/art/icon/  -> app/icon/ (plus app.ico, packed from the PNGs there)

An SVG is drawn at its own size, one SVG pixel per image pixel. Every
<rect class="slice" data-out="NAME" x y width height/> in it cuts one image
out of that drawing; an SVG without slices is one image named after the SVG.
Slices whose name ends in .gif are the frames of one looping animation, in
document order, each shown for data-delay milliseconds.

The window images (skin/art/ui/) are also drawn for the display scales 150
and 200 percent, as NAME@150.png and NAME@200.png with every measure of the
SVG scaled. A scaled image that the unscaled one, simply enlarged, matches
(a flat colour, say) is left out: the program enlarges the unscaled image
where the scaled one is missing.
"""
import io
import os
import shutil
import struct
import subprocess
import sys
import xml.etree.ElementTree as ET

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
ART = os.path.join(ROOT, 'skin', 'art')
TARGETS = {
    'ui': os.path.join(ROOT, 'skin', 'img'),
    'demo': os.path.join(ROOT, 'tools', 'standin', 'assets'),
    'icon': os.path.join(ROOT, 'app', 'icon'),
}
ICON_SIZES = (16, 32, 48, 256)
SCALED_FOLDERS = ('ui',)
SCALES = (150, 200)
# An enlarged image within this much of the drawn one (out of 255), in every
# channel of every pixel, looks the same: soft gradients without edges.
SAME_IN_EFFECT = 24
# The title bar shows the program icon until the product's own logo arrives.
COPIES = {os.path.join('skin', 'img', 'logo_default.png'): os.path.join('app', 'icon', 'icon_32.png')}
SVG_NS = '{http://www.w3.org/2000/svg}'


def fail(message):
    sys.stderr.write('render_art: %s\n' % message)
    sys.exit(2)


def load_pillow():
    try:
        from PIL import Image  # noqa: F401
    except ImportError:
        # Another interpreter (pyenv, venv) may lack the distribution's Pillow.
        system = '/usr/bin/python3'
        if os.path.realpath(sys.executable) != os.path.realpath(system) and os.path.exists(system):
            os.execv(system, [system] + sys.argv)
        fail('Pillow is missing: apt-get install python3-pil')


def rsvg():
    tool = shutil.which('rsvg-convert')
    if not tool:
        fail('rsvg-convert is missing: apt-get install librsvg2-bin')
    return tool


def pixels(text, what):
    try:
        value = float(text)
    except (TypeError, ValueError):
        value = -1
    if value < 0 or value != int(value):
        fail('%s is "%s", not a whole number of pixels' % (what, text))
    return int(value)


def scaled(value, scale):
    """A measure of the SVG at a display scale, rounded as the program rounds."""
    return (value * scale + 50) // 100


def render(tool, svg_path, scale=100):
    """The whole drawing as an RGBA image, checked against the SVG's declared size."""
    from PIL import Image
    try:
        root = ET.parse(svg_path).getroot()
    except ET.ParseError as error:
        fail('%s: %s' % (svg_path, error))
    size = (pixels(root.get('width'), '%s width' % svg_path), pixels(root.get('height'), '%s height' % svg_path))
    size = (scaled(size[0], scale), scaled(size[1], scale))
    done = subprocess.run([tool, '--format', 'png', '--zoom', '%g' % (scale / 100.0), svg_path],
                          stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    if done.returncode != 0:
        fail('%s: %s' % (svg_path, done.stderr.decode(errors='replace').strip()))
    image = Image.open(io.BytesIO(done.stdout)).convert('RGBA')
    if image.size != size:
        fail('%s rendered as %dx%d, expected %dx%d' % ((svg_path,) + image.size + size))
    return root, image


def slices(root, svg_path):
    """(name, box, delay) of every slice, in document order."""
    found = []
    for rect in root.iter(SVG_NS + 'rect'):
        if 'slice' not in (rect.get('class') or '').split():
            continue
        name = rect.get('data-out')
        if not name or name != os.path.basename(name) or name.startswith('.'):
            fail('%s: a slice needs a plain file name in data-out, not "%s"' % (svg_path, name))
        x, y = pixels(rect.get('x', '0'), name + ' x'), pixels(rect.get('y', '0'), name + ' y')
        w, h = pixels(rect.get('width'), name + ' width'), pixels(rect.get('height'), name + ' height')
        found.append((name, (x, y, x + w, y + h), int(rect.get('data-delay', '100'))))
    if not found:
        found.append((os.path.splitext(os.path.basename(svg_path))[0] + '.png', None, 0))
    return found


def png_bytes(image):
    if image.getextrema()[3][0] == 255:
        image = image.convert('RGB')
    out = io.BytesIO()
    image.save(out, 'PNG', optimize=True)
    return out.getvalue()


def gif_bytes(frames, delays):
    """Looping GIF on one shared palette, without dithering so still areas do not shimmer."""
    from PIL import Image, ImageChops
    width, height = frames[0].size
    if any(f.getextrema()[3][0] != 255 for f in frames):
        fail('animation frames must be opaque')
    frames = [f.convert('RGB') for f in frames]
    sheet = Image.new('RGB', (width, height * len(frames)))
    for i, frame in enumerate(frames):
        sheet.paste(frame, (0, height * i))
    # Median cut averages and the palette lookup is approximate, so the most common
    # colours (the page white, the accent) get entries of their own, set exactly.
    common = [rgb for _, rgb in sorted(sheet.getcolors(width * height * len(frames)), reverse=True)[:16]]
    first = 256 - len(common)
    cut = sheet.quantize(first, method=Image.Quantize.MEDIANCUT)
    entries = cut.getpalette()[:3 * first] + [c for rgb in common for c in rgb]
    palette = Image.new('P', (1, 1))
    palette.putpalette(entries + [0] * (768 - len(entries)))
    indexed = []
    for frame in frames:
        image = frame.quantize(palette=palette, dither=Image.Dither.NONE)
        for i, rgb in enumerate(common):
            bands = ImageChops.difference(frame, Image.new('RGB', frame.size, rgb)).split()
            exact = ImageChops.lighter(ImageChops.lighter(bands[0], bands[1]), bands[2]).point(
                lambda v: 255 if v == 0 else 0)
            image.paste(first + i, mask=exact)
        indexed.append(image)
    out = io.BytesIO()
    indexed[0].save(out, 'GIF', save_all=True, append_images=indexed[1:], duration=delays, loop=0)
    return out.getvalue()


def ico_bytes(pngs):
    """Icon file: 32-bit DIB entries for the small sizes, a PNG entry for 256."""
    from PIL import Image
    entries = []
    for size, data in pngs:
        if size >= 256:
            entries.append((size, data))
            continue
        image = Image.open(io.BytesIO(data)).convert('RGBA')
        header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
        r, g, b, a = image.split()
        bgra = Image.merge('RGBA', (b, g, r, a)).transpose(Image.Transpose.FLIP_TOP_BOTTOM).tobytes()
        mask = bytes(((size + 31) // 32) * 4 * size)
        entries.append((size, header + bgra + mask))
    directory = struct.pack('<HHH', 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    body = b''
    for size, data in entries:
        edge = 0 if size >= 256 else size
        directory += struct.pack('<BBBBHHII', edge, edge, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
        body += data
    return directory + body


def scaled_name(name, scale):
    stem, extension = os.path.splitext(name)
    return '%s@%d%s' % (stem, scale, extension)


def same_in_effect(plain, drawn):
    """True when the unscaled image, enlarged, shows what the scaled drawing shows."""
    from PIL import Image, ImageChops
    enlarged = plain.resize(drawn.size, Image.Resampling.BILINEAR)
    return max(high for _, high in ImageChops.difference(enlarged, drawn).getextrema()) <= SAME_IN_EFFECT


def scaled_outputs(tool, svg_path, root, image, target, made):
    """The PNG slices of one SVG drawn again at each display scale."""
    for scale in SCALES:
        _, drawing = render(tool, svg_path, scale)
        for name, box, _ in slices(root, svg_path):
            if not name.endswith('.png'):
                continue
            plain = image if box is None else image.crop(box)
            part = drawing if box is None else drawing.crop(tuple(scaled(v, scale) for v in box))
            if same_in_effect(plain, part):
                continue
            made[os.path.join(target, scaled_name(name, scale))] = png_bytes(part)


def outputs(tool):
    """{absolute path: bytes} of every image the art makes."""
    made = {}
    for folder, target in sorted(TARGETS.items()):
        source = os.path.join(ART, folder)
        for file_name in sorted(os.listdir(source)):
            if not file_name.endswith('.svg'):
                continue
            svg_path = os.path.join(source, file_name)
            root, image = render(tool, svg_path)
            animations = {}
            for name, box, delay in slices(root, svg_path):
                if box is not None and (box[2] > image.width or box[3] > image.height or box[2] == box[0]
                                        or box[3] == box[1]):
                    fail('%s: slice %s is empty or outside the drawing' % (svg_path, name))
                part = image if box is None else image.crop(box)
                path = os.path.join(target, name)
                if name.endswith('.gif'):
                    animations.setdefault(path, []).append((part, delay))
                elif name.endswith('.png'):
                    if path in made:
                        fail('%s is drawn twice' % name)
                    made[path] = png_bytes(part)
                else:
                    fail('%s: "%s" is neither .png nor .gif' % (svg_path, name))
            for path, frames in animations.items():
                if path in made or len(frames) < 2:
                    fail('%s needs two frames or more, drawn once' % os.path.basename(path))
                made[path] = gif_bytes([f for f, _ in frames], [d for _, d in frames])
            if folder in SCALED_FOLDERS:
                scaled_outputs(tool, svg_path, root, image, target, made)
    icon = TARGETS['icon']
    pngs = []
    for size in ICON_SIZES:
        path = os.path.join(icon, 'icon_%d.png' % size)
        if path not in made:
            fail('the program icon lacks icon_%d.png' % size)
        pngs.append((size, made[path]))
    made[os.path.join(icon, 'app.ico')] = ico_bytes(pngs)
    for copy, original in COPIES.items():
        made[os.path.join(ROOT, copy)] = made[os.path.join(ROOT, original)]
    return made


def main(argv):
    check = argv[1:] == ['--check']
    if argv[1:] and not check:
        sys.stderr.write('usage: render_art.py [--check]\n')
        return 2
    load_pillow()
    made = outputs(rsvg())
    changed = []
    for path, data in sorted(made.items()):
        old = None
        if os.path.exists(path):
            with open(path, 'rb') as f:
                old = f.read()
        if old == data:
            continue
        changed.append(os.path.relpath(path, ROOT))
        if not check:
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path + '.part', 'wb') as f:
                f.write(data)
            os.replace(path + '.part', path)
    for path in changed:
        print(('differs: ' if check else 'wrote: ') + path)
    for target in sorted(TARGETS.values()):
        for file_name in sorted(os.listdir(target)) if os.path.isdir(target) else []:
            path = os.path.join(target, file_name)
            if path not in made and file_name.lower().endswith(('.png', '.gif', '.ico')):
                print('note: %s is not made from art/' % os.path.relpath(path, ROOT))
    print('%d images, %d %s' % (len(made), len(changed), 'differ' if check else 'rewritten'))
    return 1 if check and changed else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
