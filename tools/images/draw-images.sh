#!/usr/bin/env bash
# Draws every image Veilux ships (icons and small PNGs) from scratch and
# writes them into res/. The results are committed, so a normal build never
# needs ImageMagick; run this only after changing a picture.
#
#   tools/images/draw-images.sh            # writes into <repo>/res
#   tools/images/draw-images.sh OUTDIR     # writes somewhere else (for comparing)
#
# Needs ImageMagick 6 (Debian: apt-get install imagemagick) and the DejaVu
# fonts (fonts-dejavu-core, pulled in with imagemagick).
#
# Every shape is drawn SS times larger than its final size and then box
# filtered down, so edges get exact area-coverage anti-aliasing and the small
# icon sizes stay crisp. Metadata and timestamps are stripped so running the
# script twice gives byte-identical files.

set -euo pipefail

CONVERT=${CONVERT:-/usr/bin/convert}
if [[ ! -x "$CONVERT" ]]; then
    echo "draw-images: $CONVERT not found (apt-get install imagemagick)" >&2
    exit 1
fi

HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
OUT=${1:-"$HERE/../../res"}
mkdir -p "$OUT"
OUT=$(cd "$OUT" && pwd)

FONT=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
[[ -f "$FONT" ]] || FONT=DejaVu-Sans-Bold

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

# Supersampling factor.
SS=16

# Palette.
BLUE_TOP='#3D8BF2'     # disc/ring, lit top edge
BLUE_BOTTOM='#1659C7'  # disc/ring, bottom edge
BLUE_EDGE='#0B3478'    # thin dark outline around the blue
GLYPH='#34495E'        # link glyphs (slate)
LOGO_BG='#0F7A78'      # maker logo square (teal)
LOGO_ACCENT='#F2A93B'  # maker logo accent dot (amber)
BTN_TOP='#3DB86E'      # donate button, top
BTN_BOTTOM='#238A4F'   # donate button, bottom
BTN_EDGE='#17663A'     # donate button outline

# PNG writer options that keep the output free of dates and other noise.
SKIP_CHUNKS='date,time,bKGD,gAMA,cHRM,iCCP,sRGB,tEXt,zTXt,iTXt,pHYs'
PNG_OPTS=(-strip -define "png:exclude-chunks=$SKIP_CHUNKS"
          -define png:compression-level=9 -define png:compression-strategy=0
          -define png:compression-filter=5)

# awk helper for coordinate arithmetic: calc "expr"
calc() { awk "BEGIN { printf \"%.4f\", $1 }"; }

# circle_draw CX CY R -> ImageMagick "circle" primitive (centre + edge point)
circle_draw() { echo "circle $1,$2 $1,$(calc "$2 - $3")"; }

# ---------------------------------------------------------------------------
# Tray / application icons
#
# disc_icon SIZE RADIUS OUTLINE INNER_RADIUS OUTFILE
#   A blue disc of RADIUS px (including an OUTLINE px dark rim) on a
#   transparent square of SIZE px, with a white disc of INNER_RADIUS px in the
#   middle. A small INNER_RADIUS gives the "files hidden" dot, a large one the
#   "files visible" ring. All lengths are in final pixels.
disc_icon() {
    local size=$1 r=$2 rim=$3 inner=$4 out=$5
    local n=$((size * SS))
    local c; c=$(calc "($n - 1) / 2")
    local R; R=$(calc "$r * $SS")
    local Rb; Rb=$(calc "($r - $rim) * $SS")
    local Ri; Ri=$(calc "$inner * $SS")
    # The white centre gets a hairline of the rim colour so it never bleeds
    # into the ring at small sizes; it is only drawn on the larger images.
    local hair; hair=$(calc "($size >= 48 ? 0.75 : 0) * $SS")
    local Rh; Rh=$(calc "($inner) * $SS + $hair")

    "$CONVERT" -size "${n}x${n}" xc:none \
        -fill "$BLUE_EDGE" -draw "$(circle_draw "$c" "$c" "$R")" \
        \( -size "${n}x${n}" gradient:"$BLUE_TOP"-"$BLUE_BOTTOM" \
           \( -size "${n}x${n}" xc:black -fill white \
              -draw "$(circle_draw "$c" "$c" "$Rb")" \) \
           -alpha off -compose CopyOpacity -composite \) \
        -compose Over -composite \
        -fill "$BLUE_EDGE" -draw "$(circle_draw "$c" "$c" "$Rh")" \
        -fill white -draw "$(circle_draw "$c" "$c" "$Ri")" \
        -filter Box -resize "${size}x${size}" \
        "${PNG_OPTS[@]}" "PNG32:$out"
}

# Sizes are tuned one by one: radii sit on half pixels where it helps the
# edges land cleanly, the rim stays about one pixel wide at small sizes.
# 16 and 20 px are the tray's sizes at 100 % and 125 %: there the outer edge
# fills the square, the rim is one whole pixel and the white centre's edges
# fall on pixel edges (a 4 px dot, a 10 or 12 px centre), so the few
# pixels stay sharp instead of being a shrunken large picture.
# The sizes follow Windows' scales: 16, 20, 24, 32, 40, 48, 64 px for
# 100, 125, 150, 200, 250, 300 and 400 %.
#            size radius rim  inner
# App icon ("hidden files are hidden"): solid disc, small dot.
disc_icon    256  120    6    26    "$WORK/app256.png"
disc_icon     64   31    2     7    "$WORK/app64.png"
disc_icon     48   23    1.5   5    "$WORK/app48.png"
disc_icon     40   19.5  1.5   4    "$WORK/app40.png"
disc_icon     32   15.5  1     3.5  "$WORK/app32.png"
disc_icon     24   11.5  1     2.5  "$WORK/app24.png"
disc_icon     20   10    1     2    "$WORK/app20.png"
disc_icon     16    8    1     2    "$WORK/app16.png"
# Tray icon ("hidden files are visible"): ring around a large white centre.
disc_icon     64   31    2    19.5  "$WORK/vis64.png"
disc_icon     48   23    1.5  14.5  "$WORK/vis48.png"
disc_icon     40   19.5  1.5  12    "$WORK/vis40.png"
disc_icon     32   15.5  1     9.5  "$WORK/vis32.png"
disc_icon     24   11.5  1     7    "$WORK/vis24.png"
disc_icon     20   10    1     6    "$WORK/vis20.png"
disc_icon     16    8    1     5    "$WORK/vis16.png"

# Every size is stored PNG-compressed (ImageMagick would write the small ones
# as 32-bit BMP entries, five times larger).
python3 "$HERE/pack-icon.py" "$OUT/app.ico" \
    "$WORK/app256.png" "$WORK/app64.png" "$WORK/app48.png" "$WORK/app40.png" \
    "$WORK/app32.png" "$WORK/app24.png" "$WORK/app20.png" "$WORK/app16.png"
python3 "$HERE/pack-icon.py" "$OUT/tray_visible.ico" \
    "$WORK/vis64.png" "$WORK/vis48.png" "$WORK/vis40.png" "$WORK/vis32.png" \
    "$WORK/vis24.png" "$WORK/vis20.png" "$WORK/vis16.png"

# ---------------------------------------------------------------------------
# The four pictures of the settings window, drawn once for each scale that
# the window shows them at: 1x (100 %), 1.5x (150 %) and 2x (200 %). Each
# is drawn from its shapes at its own size, not enlarged from the 1x one.
#
# draw_pictures HALVES SUFFIX: HALVES is the scale in halves (2, 3 or 4),
# SUFFIX ends the file names ("" for 1x, "_150", "_200").
draw_pictures() {
local halves=$1 suffix=$2
K=$(calc "$halves / 2")

# Coordinates below are in 1x pixels, scaled by K and SS; pixel (x,y)
# covers x..x+1, y..y+1.
#
# s X -> X scaled to the supersampled canvas (edge coordinates)
s() { calc "$1 * $SS * $K"; }
# px N -> N 1x pixels at this scale (whole pixels)
px() { echo $(($1 * halves / 2)); }

local g=$(px 16)
n16=$((g * SS))

# glyph_png OUTFILE DRAW-ARGS...
#   The glyph is drawn as a white-on-black coverage mask (holes in black),
#   then used as the alpha of a flat glyph-coloured square.
glyph_png() {
    local out=$1; shift
    "$CONVERT" -size "${n16}x${n16}" xc:"$GLYPH" \
        \( -size "${n16}x${n16}" xc:black "$@" \) \
        -alpha off -compose CopyOpacity -composite \
        -filter Box -resize "${g}x${g}" \
        "${PNG_OPTS[@]}" "PNG32:$out"
}

# House: pitched roof with a chimney, walls, and a door cut out.
glyph_png "$OUT/link_home$suffix.png" -fill white \
    -draw "polygon $(s 8),$(s 1) $(s 15.5),$(s 8.2) $(s 13.6),$(s 8.2) $(s 8),$(s 3) $(s 2.4),$(s 8.2) $(s 0.5),$(s 8.2)" \
    -draw "rectangle $(s 11),$(s 2) $(s 13),$(s 5.5)" \
    -draw "polygon $(s 8),$(s 3) $(s 13),$(s 7.8) $(s 13),$(s 15) $(s 3),$(s 15) $(s 3),$(s 7.8)" \
    -fill black -draw "rectangle $(s 6.5),$(s 10) $(s 9.5),$(s 15)"

# Camera: rounded body, a raised viewfinder bump, a ringed lens, a flash dot.
c_lx=$(s 8); c_ly=$(s 9)
glyph_png "$OUT/link_camera$suffix.png" -fill white \
    -draw "roundrectangle $(s 0.5),$(s 4) $(s 15.5),$(s 14.5) $(s 2),$(s 2)" \
    -draw "polygon $(s 4.5),$(s 4.2) $(s 5.8),$(s 2) $(s 10.2),$(s 2) $(s 11.5),$(s 4.2)" \
    -fill black -draw "$(circle_draw "$c_lx" "$c_ly" "$(s 3.6)")" \
    -fill white -draw "$(circle_draw "$c_lx" "$c_ly" "$(s 2.3)")" \
    -fill black -draw "$(circle_draw "$(s 13)" "$(s 6.3)" "$(s 0.8)")"

# ---------------------------------------------------------------------------
# Maker logo, 32x32 RGB: a bold white "O" ring on a teal rounded square with
# an amber dot tucked into the ring's upper right.
local logo=$(px 32)
n32=$((logo * SS))
c32=$(calc "$n32 / 2")
"$CONVERT" -size "${n32}x${n32}" xc:white \
    -fill "$LOGO_BG" -draw "roundrectangle 0,0 $((n32 - 1)),$((n32 - 1)) $(s 6),$(s 6)" \
    -fill white -draw "$(circle_draw "$c32" "$c32" "$(s 11)")" \
    -fill "$LOGO_BG" -draw "$(circle_draw "$c32" "$c32" "$(s 6)")" \
    -fill "$LOGO_BG" -draw "$(circle_draw "$(s 24)" "$(s 8)" "$(s 5)")" \
    -fill "$LOGO_ACCENT" -draw "$(circle_draw "$(s 24)" "$(s 8)" "$(s 3.2)")" \
    -filter Box -resize "${logo}x${logo}" \
    -alpha off "${PNG_OPTS[@]}" "PNG24:$OUT/maker_logo$suffix.png"

# ---------------------------------------------------------------------------
# Donate button, 100x30 RGB: green rounded pill on white with the word
# "Donate". The shape is supersampled; the text is rendered at final size so
# the font hinting keeps it sharp.
local w=$(px 100) h=$(px 30)
bw=$((w * SS)); bh=$((h * SS))
"$CONVERT" -size "${bw}x${bh}" xc:white \
    -fill "$BTN_EDGE" -draw "roundrectangle $(s 0.5),$(s 0.5) $(s 99.5),$(s 29.5) $(s 8),$(s 8)" \
    \( -size "${bw}x${bh}" gradient:"$BTN_TOP"-"$BTN_BOTTOM" \
       \( -size "${bw}x${bh}" xc:black -fill white \
          -draw "roundrectangle $(s 1.5),$(s 1.5) $(s 98.5),$(s 28.5) $(s 7),$(s 7)" \) \
       -alpha off -compose CopyOpacity -composite \) \
    -compose Over -composite \
    -filter Box -resize "${w}x${h}" \
    -font "$FONT" -pointsize "$(px 14)" -gravity center \
    -fill "$BTN_EDGE" -annotate "+0+$(px 1)" "Donate" \
    -fill white -annotate +0+0 "Donate" \
    -alpha off "${PNG_OPTS[@]}" "PNG24:$OUT/donate_button$suffix.png"
}

draw_pictures 2 ""
draw_pictures 3 "_150"
draw_pictures 4 "_200"

echo "draw-images: wrote app.ico tray_visible.ico and link_home, link_camera, maker_logo, donate_button at 1x, _150 and _200 to $OUT"
