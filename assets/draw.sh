#!/usr/bin/env bash
# Draws the program's pictures with ImageMagick: the splash picture (320 x 240), the picture under
# the topic list (182 x 182) and the window icon (16 x 16, and 48 x 48 for desktop icon themes).
# The outputs are committed, so a build never needs this script; run it again after changing a
# drawing and commit the new files beside it.
#
# The main window clips its picture to 153 x 161 from the top-left corner, so everything that
# matters in image2.jpg stays inside that part.
set -euo pipefail
cd "$(dirname "$0")"

# ImageMagick 7 calls itself magick; Debian 12 ships version 6 as convert.
if command -v magick >/dev/null 2>&1; then im=(magick); else im=(convert); fi

# Files come out byte-identical from run to run: no time stamps, no comments.
jpeg_opts=(-strip -sampling-factor 2x2 -quality 90 -interlace none)
png_opts=(-strip -depth 8 -define png:exclude-chunks=date,time)

# A lattice mast from its foot (x, ground) to its top: two legs converging, zig-zag bracing
# between them. Prints ImageMagick draw primitives.
mast() {
    local x=$1 ground=$2 top=$3 foot=$4 head=$5 color=$6 width=$7
    awk -v x="$x" -v g="$ground" -v t="$top" -v f="$foot" -v h="$head" -v c="$color" -v w="$width" 'BEGIN {
        printf "stroke %s stroke-width %s fill none ", c, w
        printf "line %g,%g %g,%g ", x - f, g, x - h, t
        printf "line %g,%g %g,%g ", x + f, g, x + h, t
        n = 9; left = 1
        for (i = 0; i < n; i++) {
            y0 = g - (g - t) * i / n; y1 = g - (g - t) * (i + 1) / n
            hw0 = f - (f - h) * i / n; hw1 = f - (f - h) * (i + 1) / n
            if (left) printf "line %g,%g %g,%g ", x - hw0, y0, x + hw1, y1
            else      printf "line %g,%g %g,%g ", x + hw0, y0, x - hw1, y1
            printf "line %g,%g %g,%g ", x - hw1, y1, x + hw1, y1
            left = !left
        }
    }'
}

# Radio waves: concentric arcs to the left and the right of a point, fading outwards.
waves() {
    local x=$1 y=$2 first=$3 step=$4 count=$5 color=$6 width=$7
    awk -v x="$x" -v y="$y" -v r0="$first" -v s="$step" -v n="$count" -v c="$color" -v w="$width" 'BEGIN {
        for (i = 0; i < n; i++) {
            r = r0 + i * s; a = 1 - i / (n + 1)
            printf "stroke %s stroke-opacity %.2f stroke-width %s fill none ", c, a, w
            printf "arc %g,%g %g,%g 140,220 ", x - r, y - r, x + r, y + r
            printf "arc %g,%g %g,%g -40,40 ", x - r, y - r, x + r, y + r
        }
        printf "stroke-opacity 1 "
    }'
}

# A globe: ocean disc, two continents, meridians and parallels.
globe() {
    local cx=$1 cy=$2 r=$3
    awk -v cx="$cx" -v cy="$cy" -v r="$r" 'BEGIN {
        printf "stroke #0e2f5c stroke-width 1.5 fill #2f74b5 circle %g,%g %g,%g ", cx, cy, cx + r, cy
        # Land: rough outlines given in units of the radius.
        printf "stroke none fill #4f9a45 polygon "
        n = split("-0.55,-0.55 -0.15,-0.75 0.05,-0.45 -0.1,-0.2 -0.3,0.05 -0.2,0.45 -0.4,0.6 -0.5,0.2 -0.7,-0.1", p, " ")
        for (i = 1; i <= n; i++) { split(p[i], q, ","); printf "%g,%g ", cx + q[1] * r, cy + q[2] * r }
        printf "polygon "
        n = split("0.25,-0.6 0.7,-0.5 0.8,-0.1 0.55,0.15 0.45,0.55 0.2,0.7 0.15,0.25 0.3,0.0 0.15,-0.3", p, " ")
        for (i = 1; i <= n; i++) { split(p[i], q, ","); printf "%g,%g ", cx + q[1] * r, cy + q[2] * r }
        printf "stroke #cfe6ff stroke-opacity 0.55 stroke-width 1 fill none "
        for (k = 1; k <= 3; k++) {
            rx = r * cos(k * 3.14159265 / 8)
            printf "ellipse %g,%g %g,%g 0,360 ", cx, cy, rx, r
        }
        printf "line %g,%g %g,%g ", cx, cy - r, cx, cy + r
        for (k = -2; k <= 2; k++) {
            d = k * r / 3; hw = sqrt(r * r - d * d)
            printf "line %g,%g %g,%g ", cx - hw, cy + d, cx + hw, cy + d
        }
        printf "stroke-opacity 1 "
    }'
}

# Morse code as dots and dashes from (x, y): ".-" strings separated by spaces.
morse() {
    local x=$1 y=$2 unit=$3 color=$4 code=$5
    awk -v x="$x" -v y="$y" -v u="$unit" -v c="$color" -v code="$code" 'BEGIN {
        printf "stroke none fill %s ", c
        for (i = 1; i <= length(code); i++) {
            ch = substr(code, i, 1)
            if (ch == ".") { printf "roundrectangle %g,%g %g,%g 1,1 ", x, y, x + u, y + u; x += 2 * u }
            else if (ch == "-") { printf "roundrectangle %g,%g %g,%g 1,1 ", x, y, x + 3 * u, y + u; x += 4 * u }
            else x += 2 * u
        }
    }'
}

# A straight Morse key: base, lever, knob.
morse_key() {
    local x=$1 y=$2
    cat <<EOF
stroke #1a1a1a stroke-width 1 fill #6b4a2b roundrectangle $x,$((y + 14)) $((x + 70)),$((y + 24)) 3,3
fill #c9c9c9 rectangle $((x + 6)),$((y + 8)) $((x + 62)),$((y + 12))
fill #b08d57 rectangle $((x + 44)),$((y + 10)) $((x + 50)),$((y + 14))
fill #202020 ellipse $((x + 8)),$((y + 6)) 9,5 0,360
fill #d9b35a circle $((x + 58)),$((y + 9)) $((x + 61)),$((y + 9))
EOF
}

# --- splash.jpg: dusk sky, globe, mast with a beam antenna sending waves, a key, "CQ" in Morse.
"${im[@]}" -size 320x240 gradient:'#0a1640-#e9934f' \
    -draw "stroke none fill #ffffff $(awk 'BEGIN { srand(7); for (i = 0; i < 40; i++) { x = int(rand() * 320); y = int(rand() * 90); printf "point %d,%d ", x, y } }')" \
    -draw "$(globe 92 96 64)" \
    -draw "stroke none fill #1b2230 path 'M 0,240 L 0,208 Q 80,188 160,204 T 320,196 L 320,240 Z'" \
    -draw "$(mast 246 212 52 22 3 '#1b2230' 2)" \
    -draw "stroke #1b2230 stroke-width 3 line 246,52 246,36 line 222,40 270,40 stroke-width 2 line 226,30 226,50 line 238,28 238,52 line 254,28 254,52 line 266,30 266,50" \
    -draw "$(waves 246 40 22 14 5 '#ffe07a' 2)" \
    -draw "$(morse_key 24 206)" \
    -draw "$(morse 110 222 4 '#ffe9b0' '-.-. --.-')" \
    "${jpeg_opts[@]}" splash.jpg

# --- image2.jpg: the globe with a mast in front of it, inside the visible 153 x 161 part.
"${im[@]}" -size 182x182 gradient:'#9fc9ec-#f4f8fb' \
    -draw "$(globe 72 74 56)" \
    -draw "stroke none fill #5a7d3a path 'M 0,182 L 0,150 Q 60,136 120,148 T 182,142 L 182,182 Z'" \
    -draw "$(mast 112 152 44 16 2 '#7a1f1f' 2)" \
    -draw "stroke #7a1f1f stroke-width 2 line 112,44 112,30 line 96,34 128,34 line 100,26 100,42 line 108,24 108,44 line 116,24 116,44 line 124,26 124,42" \
    -draw "$(waves 112 34 14 10 4 '#d23b1f' 2)" \
    -draw "$(morse 8 154 3 '#e8f0d8' '-.-. --.-')" \
    "${jpeg_opts[@]}" image2.jpg

# --- the icon: a red mast with yellow waves on a round blue badge, drawn large and scaled down
# so the 16 and 48 pixel versions are the same design.
"${im[@]}" -size 256x256 xc:none \
    -draw "stroke #0e2f5c stroke-width 10 fill #2f74b5 circle 128,128 128,8" \
    -draw "stroke #ffd24a stroke-width 16 stroke-linecap round fill none arc 86,48 170,132 140,220 arc 86,48 170,132 -40,40 arc 50,12 206,168 145,215 arc 50,12 206,168 -35,35" \
    -draw "stroke #b3261e stroke-width 22 stroke-linecap round fill none line 96,236 128,96 line 160,236 128,96 line 108,180 148,180" \
    -draw "stroke none fill #b3261e circle 128,90 128,70" \
    -background none icon-master.png
"${im[@]}" icon-master.png -resize 48x48 "${png_opts[@]}" icon48.png
"${im[@]}" icon-master.png -resize 16x16 "${png_opts[@]}" icon16.png
rm -f icon-master.png
