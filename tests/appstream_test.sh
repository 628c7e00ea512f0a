#!/usr/bin/env bash
# The AppStream metainfo, as software centres and distributions read it:
# installed under any prefix; valid for `appstreamcli validate --pedantic`
# alone and with its installed tree; read back by appstreamcli from the
# installed tree as the system's own (the desktop entry merged in through its
# launchable); its content as the game has it (licences from the copyright
# file, releases from the changelog, addresses under the project's, the 16:9
# screenshots made from the README's); and its id, the desktop entry's name
# and the icon's name agreeing, a change of any one alone noticed.
# Usage: appstream_test.sh BUILD_DIR CMAKE APPSTREAM_ID PROJECT_URL VERSION RELEASE_DATE
set -euo pipefail

build=$(cd "$1" && pwd)
cmake=$2
id=$3
url=$4
version=$5
date=$6
source=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

command -v appstreamcli >/dev/null ||
  { echo "FAIL: appstreamcli is missing (Debian's appstream; scripts/setup/setup.sh installs it)"; exit 1; }
echo "$(appstreamcli --version | head -n 1)"

# Installed under /usr and under a prefix with a space and a dollar, the same
# file in the same place.
install_to() { DESTDIR=$1 "$cmake" --install "$build" --prefix "$2" >"$work/install.log" 2>&1 ||
  { cat "$work/install.log"; echo "FAIL: cmake --install --prefix $2"; exit 1; }; }
install_to "$work/stage" /usr
odd_prefix='/opt/my games/$HOME'
install_to "$work/odd" "$odd_prefix"
tree=$work/stage/usr
metainfo=$tree/share/metainfo/$id.metainfo.xml
[ -f "$metainfo" ] || { echo "FAIL: no share/metainfo/$id.metainfo.xml installed"; exit 1; }
cmp -s "$metainfo" "$work/odd$odd_prefix/share/metainfo/$id.metainfo.xml" ||
  fail "the metainfo under '$odd_prefix' is missing or differs"
[ "$(stat -c %a "$metainfo")" = 644 ] || fail "the metainfo's mode is $(stat -c %a "$metainfo")"

# Valid with every hint on, as itself and as part of the installed tree (the
# desktop entry it names is there). --no-net: the addresses are not fetched.
clean_validation() { # label, then the appstreamcli command
  local label=$1 status=0
  shift
  "$@" >"$work/validate" 2>&1 || status=$?
  echo "\$ ${*/#$work/...}"
  sed 's/^/  /' "$work/validate"
  [ "$status" -eq 0 ] || fail "$label: appstreamcli exited with $status"
  grep -qE '^[EWIP]: ' "$work/validate" && fail "$label: appstreamcli reports issues"
  grep -q 'Validation was successful\.$' "$work/validate" || fail "$label: not a clean success"
}
clean_validation "the metainfo" appstreamcli validate --pedantic --no-net --explain "$metainfo"
clean_validation "the installed tree" appstreamcli validate-tree --pedantic --no-net "$tree"

# Read back by appstreamcli as a software centre on the system reads it: in a
# private mount namespace the installed tree's metainfo and desktop entries
# stand in for the system's, and a fresh cache is built from them alone.
if unshare --mount --propagation private true 2>/dev/null ||
  unshare --map-root-user --mount --propagation private true 2>/dev/null; then
  as_root=()
  unshare --mount --propagation private true 2>/dev/null || as_root=(--map-root-user)
  unshare "${as_root[@]}" --mount --propagation private bash -c '
    mount --bind "$1/share/metainfo" /usr/share/metainfo &&
      mount --bind "$1/share/applications" /usr/share/applications || exit 9
    appstreamcli get --details --no-cache --cachepath "$2/get" "$3" >"$2/get.txt" 2>&1
    appstreamcli dump --no-cache --cachepath "$2/dump" "$3" >"$2/dump.xml" 2>&1
    appstreamcli what-provides bin graze --cachepath "$2/get" >"$2/provides.txt" 2>&1
  ' _ "$tree" "$work" "$id" || fail "appstreamcli could not read the installed tree (status $?)"
  echo "\$ appstreamcli get --details $id   (the installed tree as the system's)"
  sed 's/^/  /' "$work/get.txt"
  for line in "Identifier: $id [desktop-application]" "Name: Graze" "Homepage: $url" "Icon: graze" \
    "Developer: Graze developers" "License: MIT" "  - ActionGame" "  - ArcadeGame"; do
    grep -qxF -- "$line" "$work/get.txt" || fail "appstreamcli get does not show \"$line\""
  done
  grep -q "^$id\$\|Identifier: $id " "$work/provides.txt" ||
    fail "appstreamcli what-provides bin graze does not find $id: $(cat "$work/provides.txt")"
  cp "$work/dump.xml" "$work/read_back.xml"
else
  echo "appstream_test: ******** no mount namespace here: reading back through the system is skipped ********"
fi

# The content, and the agreement of id, desktop entry and icon.
python_status=0
python3 - "$tree" "$metainfo" "$id" "$url" "$version" "$date" "$source" "$work" <<'PY' || python_status=$?
import os, re, shutil, struct, sys
import xml.etree.ElementTree as ET

tree, metainfo, cid, url, version, date, source, work = sys.argv[1:]
failures = []
def fail(message):
    failures.append(message)
    print("FAIL:", message)

def desktop_keys(path):
    keys = {}
    for line in open(path, encoding="utf-8"):
        if "=" in line and not line.startswith("#"):
            key, value = line.rstrip("\n").split("=", 1)
            keys.setdefault(key, value)
    return keys

def agreement(share):
    """What keeps the metainfo, the desktop entry and the icons from agreeing
    in an installed share/ folder: the metainfo is <id>.metainfo.xml, its
    launchable names an installed desktop entry whose name ends the id, and
    the entry's Icon is the metainfo's icon and names the installed icons,
    which carry the entry's name as well."""
    problems = []
    folder = os.path.join(share, "metainfo")
    files = sorted(os.listdir(folder)) if os.path.isdir(folder) else []
    if len(files) != 1:
        return [f"share/metainfo holds {files}, not one metainfo file"]
    root = ET.parse(os.path.join(folder, files[0])).getroot()
    mid = root.findtext("id", "")
    if files[0] != mid + ".metainfo.xml":
        problems.append(f"the metainfo file {files[0]} does not carry its id {mid}")
    launchables = [l.text for l in root.findall("launchable") if l.get("type") == "desktop-id"]
    if len(launchables) != 1:
        return problems + [f"the metainfo names {len(launchables)} desktop entries"]
    entry = launchables[0]
    name = entry.removesuffix(".desktop")
    if mid.rsplit(".", 1)[-1] != name:
        problems.append(f"the id {mid} does not end with the desktop entry's name {name}")
    path = os.path.join(share, "applications", entry)
    if not os.path.isfile(path):
        return problems + [f"the desktop entry {entry} the metainfo names is not installed"]
    icon = desktop_keys(path).get("Icon", "")
    stock = [i.text for i in root.findall("icon") if i.get("type") == "stock"]
    if stock != [icon]:
        problems.append(f"the metainfo's icon {stock} is not the desktop entry's {icon}")
    if icon != name:
        problems.append(f"the icon {icon} is not named as the desktop entry {entry}")
    sizes = [16, 24, 32, 48, 64, 128, 256]
    missing = [s for s in sizes if not os.path.isfile(
        os.path.join(share, "icons/hicolor", f"{s}x{s}", "apps", icon + ".png"))]
    if missing:
        problems.append(f"no installed icon {icon}.png at {missing}")
    return problems

share = os.path.join(tree, "share")
for problem in agreement(share):
    fail(problem)

# A change of one alone (in a copy of the installed share/ folder) is noticed.
def changed(label, change):
    copy = os.path.join(work, "changed-" + label.replace(" ", "-"))
    for part in ("metainfo", "applications", "icons"):
        shutil.copytree(os.path.join(share, part), os.path.join(copy, part))
    change(copy)
    problems = agreement(copy)
    print(f"changing {label} alone: " + ("; ".join(problems) if problems else "NOT NOTICED"))
    if not problems:
        fail(f"changing {label} alone goes unnoticed")

def rename_entry(copy):
    apps = os.path.join(copy, "applications")
    os.rename(os.path.join(apps, "graze.desktop"), os.path.join(apps, "graze2.desktop"))
def change_icon_key(copy):
    path = os.path.join(copy, "applications", "graze.desktop")
    text = open(path, encoding="utf-8").read().replace("\nIcon=graze\n", "\nIcon=graze2\n")
    open(path, "w", encoding="utf-8").write(text)
def rename_icons(copy):
    for size in os.listdir(os.path.join(copy, "icons/hicolor")):
        apps = os.path.join(copy, "icons/hicolor", size, "apps")
        os.rename(os.path.join(apps, "graze.png"), os.path.join(apps, "graze2.png"))
def change_id(copy):
    folder = os.path.join(copy, "metainfo")
    old = os.path.join(folder, cid + ".metainfo.xml")
    text = open(old, encoding="utf-8").read().replace(f"<id>{cid}</id>", f"<id>{cid}2</id>")
    os.remove(old)
    open(os.path.join(folder, cid + "2.metainfo.xml"), "w", encoding="utf-8").write(text)
changed("the desktop entry's name", rename_entry)
changed("the desktop entry's icon", change_icon_key)
changed("the icon files' name", rename_icons)
changed("the metainfo id", change_id)

root = ET.parse(metainfo).getroot()
text = lambda path: (root.findtext(path) or "").strip()
if root.tag != "component" or root.get("type") != "desktop-application":
    fail(f"the root is <{root.tag} type={root.get('type')}>, not a desktop-application component")
if not re.fullmatch(r"[a-z][a-z0-9_]*(\.[a-z][a-z0-9_]*){2,}", text("id")):
    fail(f"the id {text('id')} is not a reverse-DNS name in lower case")
if text("id") != cid:
    fail(f"the id is {text('id')}, not the build's {cid}")
entry = desktop_keys(os.path.join(share, "applications/graze.desktop"))
if text("name") != entry.get("Name"):
    fail(f"the name {text('name')} is not the desktop entry's {entry.get('Name')}")

# Licences: the project's is the copyright file's (for Files: *); the
# metadata's a permissive one.
copyright = open(os.path.join(source, "packaging/copyright"), encoding="utf-8").read()
match = re.search(r"^Files: \*\nCopyright: [0-9, -]+ (.+)\nLicense: (\S+)$", copyright, re.M)
if not match:
    fail("packaging/copyright has no Files: * stanza")
else:
    holder, licence = match.groups()
    if text("project_license") != licence:
        fail(f"project_license {text('project_license')}, the copyright file says {licence}")
    developer = text("developer/name") or text("developer_name")
    if developer != holder:
        fail(f"the developer {developer!r} is not the copyright holder {holder!r}")
if text("metadata_license") not in ("CC0-1.0", "FSFAP"):
    fail(f"metadata_license {text('metadata_license')}")

paragraphs = [p.text or "" for p in root.findall("description/p")]
if len(paragraphs) < 2 or len(paragraphs[0]) < 80:
    fail(f"the description is {len(paragraphs)} paragraphs, the first {len(paragraphs[0]) if paragraphs else 0} characters")
categories = [c.text for c in root.findall("categories/category")]
for category in ("Game", "ActionGame"):
    if category not in categories:
        fail(f"not in the {category} category: {categories}")
homepages = [u.text for u in root.findall("url") if u.get("type") == "homepage"]
if homepages != [url]:
    fail(f"the homepage is {homepages}, not the project's {url}")

# Screenshots: the README's, widened to 16:9 (at least 620 wide), under the
# project's address, each with a caption, the first the default.
def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n":
        return None
    return struct.unpack(">II", head[16:24])
shots = root.findall("screenshots/screenshot")
if not shots or [s.get("type") for s in shots].count("default") != 1 or shots[0].get("type") != "default":
    fail("the screenshots do not start with the one default")
readme = open(os.path.join(source, "README.md"), encoding="utf-8").read()
base = url.rstrip("/") + "/docs/appstream/"
for shot in shots:
    caption = (shot.findtext("caption") or "").strip()
    images = shot.findall("image")
    if len(images) != 1 or images[0].get("type") != "source":
        fail(f"screenshot {caption!r}: not one source image")
        continue
    image = images[0]
    name = (image.text or "").strip().removeprefix(base)
    if "/" in name or not name.endswith(".png"):
        fail(f"screenshot {caption!r}: {image.text} is not a picture in {base}")
        continue
    if f"![{caption}](docs/{name})" not in readme:
        fail(f"screenshot {caption!r}: the README shows no docs/{name} with that caption")
    wide = os.path.join(source, "docs/appstream", name)
    size = png_size(wide) if os.path.isfile(wide) else None
    declared = (int(image.get("width", 0)), int(image.get("height", 0)))
    if size != declared:
        fail(f"screenshot {name}: docs/appstream/{name} is {size}, the metainfo says {declared}")
    elif size[0] * 9 != size[1] * 16 or size[0] < 620:
        fail(f"screenshot {name}: {size} is not 16:9 at 620 pixels wide or more")
print(f"screenshots: {len(shots)}, " + ", ".join(
    f"{(s.find('image').text or '').rsplit('/', 1)[-1]} {s.find('image').get('width')}x{s.find('image').get('height')}"
    for s in shots))

# Releases: every changelog entry, newest first, the newest the build's.
changelog = open(os.path.join(source, "packaging/changelog"), encoding="utf-8").read()
months = "Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec".split()
expected = []
for match in re.finditer(r"^\S+ \((?:\d+:)?([^)]+)\) .*?^ -- .*?>  \w+, +(\d+) (\w+) (\d{4}) ",
                         changelog, re.M | re.S):
    v, day, month, year = match.groups()
    expected.append((v, f"{year}-{months.index(month) + 1:02d}-{int(day):02d}"))
releases = [(r.get("version"), r.get("date")) for r in root.findall("releases/release")]
if releases != expected:
    fail(f"the releases {releases} are not the changelog's {expected}")
if not releases or releases[0] != (version, date):
    fail(f"the newest release is {releases[:1]}, not the build's {version} of {date}")
for release in root.findall("releases/release"):
    if not release.findall("description/ul/li"):
        fail(f"release {release.get('version')} lists no change")
print(f"releases: {releases}")

rating = {a.get("id"): a.text for a in root.findall("content_rating/content_attribute")}
if root.find("content_rating") is None or root.find("content_rating").get("type") != "oars-1.1" \
        or rating.get("violence-cartoon") not in ("mild", "moderate", "intense"):
    fail(f"the content rating is not OARS 1.1 with cartoon violence: {rating}")
if [c.text for c in root.findall("supports/control")] != ["keyboard"]:
    fail("the keyboard is not the control it supports")
lengths = {(d.get("side") or "shortest", d.get("compare"), d.text)
           for d in root.findall("requires/display_length")}
if lengths != {("shortest", "ge", "480"), ("longest", "ge", "640")}:
    fail(f"the display it requires is {lengths}, not 640x480 or larger")
binaries = [b.text for b in root.findall("provides/binary")]
if binaries != ["graze"] or not os.path.isfile(os.path.join(tree, "games", binaries[0])):
    fail(f"it provides {binaries}, not the installed launcher games/graze")

# Read back through the system (when a mount namespace was at hand): the
# desktop entry's categories and icon were merged in through the launchable.
read_back = os.path.join(work, "read_back.xml")
if os.path.isfile(read_back):
    dumped = ET.parse(read_back).getroot()
    if dumped.findtext("id") != cid:
        fail(f"appstreamcli dump gives the id {dumped.findtext('id')}")
    merged = [c.text for c in dumped.findall("categories/category")]
    if "ArcadeGame" not in merged:
        fail(f"appstreamcli did not merge the desktop entry in: categories {merged}")
    if [r.get("version") for r in dumped.findall("releases/release")] != [v for v, _ in expected]:
        fail("appstreamcli dump lists other releases")

sys.exit(1 if failures else 0)
PY
[ "$python_status" -eq 0 ] || failures=$((failures + 1))

# The 16:9 screenshots hold the README's pixel for pixel, three times their
# size, between black bars (ImageMagick, which the tests install).
if command -v compare >/dev/null; then
  for wide in "$source"/docs/appstream/*.png; do
    name=$(basename "$wide")
    convert "$wide" -crop 1920x1440+320+0 +repage -sample 640x480 "$work/back.png"
    differ=$(compare -metric AE "$source/docs/$name" "$work/back.png" null: 2>&1) || true
    [ "$differ" = 0 ] || fail "docs/appstream/$name is not docs/$name at three times its size ($differ pixels differ)"
    for bar in 320x1440+0+0 320x1440+2240+0; do
      colours=$(convert "$wide" -crop "$bar" +repage -format '%k %[fx:maxima]' info:)
      [ "$colours" = "1 0" ] || fail "docs/appstream/$name: the bar at $bar is not black ($colours)"
    done
  done
else
  echo "appstream_test: ImageMagick is missing: the screenshots' pixels are not compared"
fi

[ "$failures" -eq 0 ] && echo "appstream: $id.metainfo.xml valid, read back and in agreement"
exit $((failures > 0))
