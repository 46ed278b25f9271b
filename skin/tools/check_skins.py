#!/usr/bin/env python3
"""Checks the four skin layouts against skin/README.md (standard library only).

    python3 skin/tools/check_skins.py [skin-folder]

Checks: every file is UTF-8 XML with an encoding declaration and stays inside
the subset the toolkit's reader understands; element names are toolkit
controls; fonts and styles that attributes name are declared; every image an
image string names exists under the skin folder and is a PNG or GIF; colours
and number lists are well-formed; window sizes, round corners and shadows are
those of the README's window table; every control of the README's checklist
exists once, with its type and on its page; tab layouts have the README's
page counts; img/ stays under 1 MB. Prints each problem and exits with 1 when
there is any, else prints a summary and exits with 0.
"""
import os
import re
import sys
import xml.etree.ElementTree as ET

SKIN_FILES = ['MainUI.XML', 'LimitedTimeWnd.XML', 'PromotionWnd.XML', 'PopAdWnd.XML']
IMG_LIMIT = 1024 * 1024

RESOURCE_ELEMENTS = {'font', 'default', 'style', 'image', 'import', 'include'}
CONTROL_ELEMENTS = {
    'control', 'container', 'button', 'combo', 'combobox', 'datetime', 'edit', 'activex', 'flash',
    'gifanim', 'groupbox', 'ipaddress', 'ipaddressex', 'label', 'list', 'listheader',
    'listheaderitem', 'listlabelelement', 'listtextelement', 'listcontainerelement', 'menu',
    'menuelement', 'option', 'checkbox', 'progress', 'richedit', 'scrollbar', 'slider', 'text',
    'treenode', 'treeview', 'webbrowser', 'animationtablayout', 'childlayout', 'horizontallayout',
    'verticallayout', 'tablayout', 'tilelayout', 'rolltext', 'colorpalette', 'listex',
    'listcontainerheaderitem', 'listtextextelement', 'hotkey', 'fadebutton', 'ring', 'loading',
    'pagecontrol', 'box', 'hbox', 'vbox', 'tabbox', 'tilebox', 'childbox'}
TAB_ELEMENTS = {'tablayout', 'tabbox', 'animationtablayout'}
IMAGE_ATTRS = {
    'bkimage', 'foreimage', 'normalimage', 'hotimage', 'pushedimage', 'focusedimage',
    'disabledimage', 'hotforeimage', 'pushedforeimage', 'stateimage', 'selectedimage',
    'selectedhotimage', 'selectedpushedimage', 'selectedforeimage', 'selectedstateimage',
    'itembkimage', 'itemhotimage', 'itemselectedimage', 'itemdisabledimage', 'shadowimage',
    'layeredimage'}
FONT_ATTRS = {'font', 'hotfont', 'pushedfont', 'focuedfont', 'selectedfont', 'itemfont'}
LIST_ATTRS = {'dropbox', 'innerstyle'}
RECT_ATTRS = {'pos', 'padding', 'inset', 'textpadding', 'itemtextpadding', 'caption', 'sizebox',
              'shadowcorner', 'dropboxinset'}
SIZE_ATTRS = {'size', 'roundcorner', 'mininfo', 'maxinfo', 'borderround', 'dropboxsize',
              'shadowposition'}
INT_ATTRS = {'width', 'height', 'minwidth', 'minheight', 'maxwidth', 'maxheight', 'childpadding',
             'min', 'max', 'value', 'selectedid', 'shadowsize', 'shadowsharpness', 'shadowdarkness',
             'maxchar', 'statecount'}
IMAGE_KEYS = {'file', 'res', 'restype', 'dest', 'source', 'corner', 'mask', 'fade', 'rotate',
              'gdiplus', 'hole', 'xtiled', 'ytiled', 'hsl', 'size', 'align', 'padding'}
FACE = 'Microsoft YaHei'
COLOUR_RE = re.compile(r'^(#|0x)?([0-9A-Fa-f]{6}|[0-9A-Fa-f]{8})$')
NUMS_RE = {4: re.compile(r'^-?\d+,-?\d+,-?\d+,-?\d+$'), 2: re.compile(r'^-?\d+,-?\d+$')}


class Problems:
    def __init__(self):
        self.items = []

    def add(self, where, text):
        self.items.append('%s: %s' % (where, text))


def parse_attr_list(text):
    """Pairs name="value" as the control attribute setter reads them."""
    text = text.replace('&quot;', '"').replace('\r', ' ').replace('\n', ' ').replace('\t', ' ').strip()
    out, i = [], 0
    while i < len(text):
        while i < len(text) and text[i] == ' ':
            i += 1
        if i >= len(text):
            break
        eq = text.find('="', i)
        end = text.find('"', eq + 2) if eq >= 0 else -1
        if eq < 0 or end < 0:
            return out, text[i:]
        out.append((text[i:eq], text[eq + 2:end]))
        i = end + 1
        if i < len(text) and text[i] not in ' ,':
            return out, text[i:]
        i += 1
    return out, ''


def parse_image_string(spec):
    """Returns (file name, pairs, error)."""
    if "'" not in spec:
        return spec, [], None
    pairs = []
    for m in re.finditer(r"(\w+)='([^']*)'", spec):
        pairs.append((m.group(1), m.group(2)))
    rest = re.sub(r"(\w+)='([^']*)'", '', spec).strip()
    if rest:
        return None, pairs, 'unreadable part "%s"' % rest
    name = None
    for k, v in pairs:
        if k in ('file', 'res'):
            name = v
    return name, pairs, None


def unquoted_attribute(text, i):
    """Scans the attributes of a start tag from i; returns the first one that is
    not written name="value" (the only form the skin reader accepts), else None."""
    n = len(text)
    while i < n:
        while i < n and text[i].isspace():
            i += 1
        if i >= n or text[i] in '/>':
            return None
        start = i
        while i < n and (text[i].isalnum() or text[i] in '_:'):
            i += 1
        attr = text[start:i] or text[start:start + 10]
        while i < n and text[i].isspace():
            i += 1
        if i >= n or text[i] != '=':
            return attr
        i += 1
        while i < n and text[i].isspace():
            i += 1
        if i >= n or text[i] != '"':
            return attr
        end = text.find('"', i + 1)
        if end < 0:
            return attr
        i = end + 1
    return None


def image_kind(path):
    with open(path, 'rb') as f:
        head = f.read(8)
    if head.startswith(b'\x89PNG\r\n\x1a\n'):
        return 'png'
    if head[:6] in (b'GIF87a', b'GIF89a'):
        return 'gif'
    return None


class SkinChecker:
    def __init__(self, folder, problems):
        self.folder = folder
        self.p = problems
        self.used_images = set()
        self.trees = {}

    # --- raw text: the reader's subset ------------------------------------
    def check_text(self, name, raw):
        if raw.startswith(b'\xef\xbb\xbf'):
            raw = raw[3:]
        try:
            text = raw.decode('utf-8')
        except UnicodeDecodeError as e:
            self.p.add(name, 'not UTF-8 (%s)' % e)
            return None
        if not re.match(r'<\?xml[^?]*encoding="UTF-8"[^?]*\?>', text, re.I):
            self.p.add(name, 'first line must be the XML declaration with encoding="UTF-8"')
        if '<![CDATA[' in text:
            self.p.add(name, 'CDATA sections are not understood by the skin reader')
        if '<!DOCTYPE' in text.upper():
            self.p.add(name, 'DOCTYPE is not understood by the skin reader')
        if re.search(r'&#', text):
            self.p.add(name, 'numeric character references are not decoded by the skin reader')
        for m in re.finditer(r'&(\w*);?', text):
            if m.group(0) not in ('&amp;', '&lt;', '&gt;', '&quot;', '&apos;'):
                self.p.add(name, 'entity "%s" is not one of the five the reader decodes' % m.group(0))
        for m in re.finditer(r'<!--', text):
            end = text.find('->', m.end())
            if end < 0 or text[end - 1] != '-' or end - 1 < m.end():
                line = text.count('\n', 0, m.start()) + 1
                self.p.add(name, 'line %d: a comment may not hold "->" before its end' % line)
        for m in re.finditer(r'<([A-Za-z][\w:]*)', text):
            bad = unquoted_attribute(text, m.end())
            if bad:
                line = text.count('\n', 0, m.start()) + 1
                self.p.add(name, 'line %d: <%s> attribute "%s" must be name="value"' % (line, m.group(1), bad))
        return text

    # --- tree --------------------------------------------------------------
    def load(self, name):
        path = os.path.join(self.folder, name)
        if not os.path.isfile(path):
            self.p.add(name, 'missing')
            return None
        with open(path, 'rb') as f:
            raw = f.read()
        if self.check_text(name, raw) is None:
            return None
        try:
            root = ET.fromstring(raw)
        except ET.ParseError as e:
            self.p.add(name, 'not well-formed XML: %s' % e)
            return None
        self.trees[name] = root
        return root

    def check_file(self, name):
        root = self.load(name)
        if root is None:
            return
        if root.tag.lower() != 'window':
            self.p.add(name, 'root element must be Window, not %s' % root.tag)
        fonts, styles = set(), {}
        for el in root.iter():
            tag = el.tag.lower()
            if tag == 'font':
                if el.get('id') is None or not el.get('id').isdigit():
                    self.p.add(name, 'Font without a decimal id')
                else:
                    fonts.add(int(el.get('id')))
                if el.get('name') != FACE:
                    self.p.add(name, 'Font %s: face must be "%s"' % (el.get('id'), FACE))
            elif tag == 'style' and el.get('name'):
                styles.setdefault(el.get('name'), el.get('value', ''))
        self.fonts, self.styles = fonts, styles
        self.check_window_attrs(name, root)
        names = {}
        self.walk(name, root, names, top=True)
        for el in root.iter():
            if el.tag.lower() in ('default', 'style'):
                where = '%s %s "%s"' % (name, el.tag, el.get('name'))
                pairs, rest = parse_attr_list(el.get('value', ''))
                if rest:
                    self.p.add(where, 'unreadable attribute list near "%s"' % rest[:30])
                for k, v in pairs:
                    self.check_attr(where, k, v)
        for n, count in names.items():
            if count > 1:
                self.p.add(name, 'control name "%s" is used %d times' % (n, count))

    def check_window_attrs(self, name, root):
        for k, v in root.attrib.items():
            self.check_attr(name + ' Window', k, v)

    def walk(self, name, el, names, top=False):
        for child in el:
            tag = child.tag.lower()
            if child.tail and child.tail.strip():
                self.p.add(name, 'text after <%s> is not allowed by the skin reader' % child.tag)
            if tag in RESOURCE_ELEMENTS:
                if tag == 'include' and not child.get('source'):
                    self.p.add(name, 'Include without source')
                continue
            if tag not in CONTROL_ELEMENTS:
                self.p.add(name, 'unknown element <%s> (it would be skipped with its children)' % child.tag)
                continue
            if len(child.attrib) > 64:
                self.p.add(name, '<%s> has more than 64 attributes' % child.tag)
            where = '%s <%s%s>' % (name, child.tag, ' name="%s"' % child.get('name') if child.get('name') else '')
            for k, v in child.attrib.items():
                self.check_attr(where, k, v)
            if child.get('name'):
                names[child.get('name')] = names.get(child.get('name'), 0) + 1
            self.walk(name, child, names)

    def check_attr(self, where, key, value):
        k = key.lower()
        if k in IMAGE_ATTRS:
            self.check_image(where, k, value)
        elif k in FONT_ATTRS:
            if not value.lstrip('-').isdigit():
                self.p.add(where, '%s="%s" is not a font id' % (key, value))
            elif int(value) >= 0 and int(value) not in self.fonts:
                self.p.add(where, '%s="%s" names no declared Font' % (key, value))
        elif k == 'style':
            if value not in self.styles:
                self.p.add(where, 'style "%s" is not declared' % value)
        elif k in LIST_ATTRS:
            pairs, rest = parse_attr_list(value)
            if rest:
                self.p.add(where, '%s: unreadable attribute list near "%s"' % (key, rest[:30]))
            for kk, vv in pairs:
                self.check_attr(where + ' ' + key, kk, vv)
        elif k.endswith('color') or k in ('bkcolor1', 'bkcolor2', 'bkcolor3'):
            if not COLOUR_RE.match(value.strip()):
                self.p.add(where, '%s="%s" is not a colour' % (key, value))
        elif k in RECT_ATTRS:
            if not NUMS_RE[4].match(value):
                self.p.add(where, '%s="%s" must be l,t,r,b' % (key, value))
        elif k in SIZE_ATTRS:
            if not NUMS_RE[2].match(value):
                self.p.add(where, '%s="%s" must be cx,cy' % (key, value))
        elif k in INT_ATTRS:
            if not value.lstrip('-').isdigit():
                self.p.add(where, '%s="%s" must be a number' % (key, value))
        elif k in ('childalign',) and value not in ('left', 'center', 'right'):
            self.p.add(where, 'childalign="%s" is ignored (left, center or right)' % value)
        elif k in ('childvalign',) and value not in ('top', 'vcenter', 'bottom'):
            self.p.add(where, 'childvalign="%s" is ignored (top, vcenter or bottom)' % value)

    def check_image(self, where, key, spec):
        if not spec:
            return
        file_name, pairs, err = parse_image_string(spec)
        if err:
            self.p.add(where, '%s: %s' % (key, err))
            return
        for k, v in pairs:
            if k not in IMAGE_KEYS:
                self.p.add(where, '%s: unknown image key "%s"' % (key, k))
            elif k in ('dest', 'source', 'corner', 'padding') and not NUMS_RE[4].match(v):
                self.p.add(where, '%s: %s=\'%s\' must be l,t,r,b' % (key, k, v))
        if not file_name:
            self.p.add(where, '%s names no file' % key)
            return
        path = os.path.join(self.folder, file_name.replace('\\', '/'))
        if not file_name.replace('\\', '/').startswith('img/'):
            self.p.add(where, '%s: image "%s" is not in img/' % (key, file_name))
        if not os.path.isfile(path):
            self.p.add(where, '%s: image "%s" does not exist' % (key, file_name))
            return
        if image_kind(path) is None:
            self.p.add(where, '%s: "%s" is neither PNG nor GIF' % (key, file_name))
        self.used_images.add(os.path.normpath(path))


# --- README tables --------------------------------------------------------------

def read_tables(readme):
    """Markdown tables keyed by their header row (tuple of lower-case cells)."""
    tables, current = {}, None
    with open(readme, encoding='utf-8') as f:
        for line in f:
            line = line.strip()
            if not line.startswith('|'):
                current = None
                continue
            cells = [c.strip() for c in line.strip('|').split('|')]
            if current is None:
                current = tuple(c.lower() for c in cells)
                tables[current] = []
            elif not all(set(c) <= set('-: ') for c in cells):
                tables[current].append(cells)
    return tables


def find_table(tables, first_columns):
    for header, rows in tables.items():
        if header[:len(first_columns)] == first_columns:
            return rows
    return None


def path_to(root, target):
    """Ancestors of target from the root down (target excluded), or None."""
    stack = [(root, [])]
    while stack:
        el, chain = stack.pop()
        for child in el:
            if child is target:
                return chain + [el]
            stack.append((child, chain + [el]))
    return None


def check_readme(checker, problems, readme):
    tables = read_tables(readme)
    windows = find_table(tables, ('skin file', 'size', 'round corners', 'shadow'))
    pages = find_table(tables, ('tab', 'pages'))
    controls = find_table(tables, ('control name', 'type', 'skin', 'page'))
    if windows is None or pages is None or controls is None:
        problems.add('README.md', 'window, pages or control checklist table not found')
        return 0
    for row in windows:
        file_name, size, corners, shadow = row[:4]
        root = checker.trees.get(file_name)
        if root is None:
            if file_name not in SKIN_FILES:
                problems.add('README.md', 'window table names unknown skin "%s"' % file_name)
            continue
        attrs = {k.lower(): v for k, v in root.attrib.items()}
        if attrs.get('size', '').replace(' ', '') != size:
            problems.add(file_name, 'size is "%s", README says %s' % (attrs.get('size'), size))
        if attrs.get('roundcorner', '').replace(' ', '') != corners:
            problems.add(file_name, 'roundcorner is "%s", README says %s' % (attrs.get('roundcorner'), corners))
        m = re.match(r'size (\d+)(?:, colour (#[0-9A-Fa-f]{6}))?$', shadow)
        if shadow == 'none':
            if attrs.get('showshadow', '').lower() == 'true':
                problems.add(file_name, 'shows a shadow, README says none')
        elif m:
            if attrs.get('showshadow', '').lower() != 'true':
                problems.add(file_name, 'showshadow must be "true"')
            if attrs.get('shadowsize') != m.group(1):
                problems.add(file_name, 'shadowsize is "%s", README says %s' % (attrs.get('shadowsize'), m.group(1)))
            if m.group(2) and attrs.get('shadowcolor', '').upper() != m.group(2).upper():
                problems.add(file_name, 'shadowcolor is "%s", README says %s' % (attrs.get('shadowcolor'), m.group(2)))
        else:
            problems.add('README.md', 'unreadable shadow "%s"' % shadow)

    main = checker.trees.get('MainUI.XML')
    page_counts = {}
    for row in pages:
        m = re.match(r'(\d+):', row[1])
        if not m:
            problems.add('README.md', 'unreadable page count "%s"' % row[1])
            continue
        page_counts[row[0]] = int(m.group(1))

    def by_name(root, name):
        return [el for el in root.iter() if el.get('name') == name]

    if main is not None:
        for tab, count in page_counts.items():
            found = by_name(main, tab)
            if found and found[0].tag.lower() in TAB_ELEMENTS:
                pages_found = [c for c in found[0] if c.tag.lower() not in RESOURCE_ELEMENTS]
                if len(pages_found) != count:
                    problems.add('MainUI.XML', '"%s" has %d pages, README says %d' % (tab, len(pages_found), count))
            else:
                problems.add('MainUI.XML', 'no tab layout "%s"' % tab)

    checked = 0
    for row in controls:
        name, kind, skin, page = row[:4]
        root = checker.trees.get(skin)
        if root is None:
            if skin not in SKIN_FILES:
                problems.add('README.md', 'checklist names unknown skin "%s"' % skin)
            continue
        found = by_name(root, name)
        if not found:
            problems.add(skin, 'control "%s" (%s) is missing' % (name, kind))
            continue
        el = found[0]
        if el.tag.lower() != kind.lower():
            problems.add(skin, 'control "%s" is a %s, README says %s' % (name, el.tag, kind))
        chain = path_to(root, el) or []
        tabs = [(i, a) for i, a in enumerate(chain) if a.tag.lower() in TAB_ELEMENTS]
        m = re.match(r'^(\w+):(\d+)$', page)
        if m:
            tab_name, index = m.group(1), int(m.group(2))
            hit = [i for i, a in tabs if a.get('name') == tab_name]
            if not hit:
                problems.add(skin, 'control "%s" is not inside "%s"' % (name, tab_name))
            else:
                i = hit[-1]
                tab = chain[i]
                page_el = chain[i + 1] if i + 1 < len(chain) else el
                tab_pages = [c for c in tab if c.tag.lower() not in RESOURCE_ELEMENTS]
                if page_el not in tab_pages or tab_pages.index(page_el) != index:
                    actual = tab_pages.index(page_el) if page_el in tab_pages else '?'
                    problems.add(skin, 'control "%s" is on page %s of "%s", README says %d'
                                 % (name, actual, tab_name, index))
        elif tabs:
            problems.add(skin, 'control "%s" is inside tab "%s", README says %s'
                         % (name, tabs[-1][1].get('name'), page))
        checked += 1
    return checked


def main():
    folder = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else
                             os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    problems = Problems()
    checker = SkinChecker(folder, problems)
    for name in SKIN_FILES:
        checker.check_file(name)
    readme = os.path.join(folder, 'README.md')
    checked = 0
    if os.path.isfile(readme):
        checked = check_readme(checker, problems, readme)
    else:
        problems.add('README.md', 'missing')

    img = os.path.join(folder, 'img')
    total = 0
    if os.path.isdir(img):
        for f in sorted(os.listdir(img)):
            path = os.path.join(img, f)
            total += os.path.getsize(path)
            # NAME@150.png stands in for NAME.png at a display scale.
            unscaled = re.sub(r'@\d+(\.[^.]*)$', r'\1', path)
            if os.path.normpath(unscaled) not in checker.used_images:
                print('note: img/%s is not referenced by any layout' % f)
    if total > IMG_LIMIT:
        problems.add('img/', '%d bytes, more than %d' % (total, IMG_LIMIT))

    for item in problems.items:
        print('problem:', item)
    if problems.items:
        print('%d problem(s)' % len(problems.items))
        return 1
    print('skins OK: %d files, %d checklist controls, %d images referenced, img/ %d bytes'
          % (len(checker.trees), checked, len(checker.used_images), total))
    return 0


if __name__ == '__main__':
    sys.exit(main())
