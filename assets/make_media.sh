#!/bin/bash
# make_media.sh - rebuilds every media file of ミチタン from nothing.
#
#   OK.mp3, NG.mp3        answer sounds (right: rising bell chime, wrong: soft low
#                         falling tone), synthesised with sox, encoded with lame
#   TICK.wav              the switch scan's tick, synthesised with sox
#   photos/01..06_*.jpg   the six route pictures, 640x480, drawn with ImageMagick
#   icon/michitan.png     32x32, 16-colour program icon (+ michitan.ico, and a
#   icon/michitan_256.png 256x256 rendering of the same drawing)
#   icon/hicolor/NxN/michitan.png  the desktop menu icons, 16 to 256 pixels
#
# The pictures are simple 3D scenes (roads, houses, trees ...) described below in
# metres-like units and projected by a small awk routine into ImageMagick drawing
# commands.  Needs: bash, awk, sox, lame, ImageMagick 6 (convert).
#
# Usage: assets/make_media.sh      (writes into the folder this script is in)

set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$here/photos" "$here/icon"

# --------------------------------------------------------------------------
# Sounds
# --------------------------------------------------------------------------

# note FREQ START LENGTH OUT : one bell-like note (fundamental + a little of the
# octave and a bell partial), sharp attack, quick decay, delayed by START seconds.
note() {
    local f=$1 at=$2 len=$3 out=$4
    sox -n -r 44100 -c 1 "$tmp/n1.wav" synth "$len" sine "$f"
    sox -n -r 44100 -c 1 "$tmp/n2.wav" synth "$len" sine "$(awk -v f="$f" 'BEGIN{print f*2}')"
    sox -n -r 44100 -c 1 "$tmp/n3.wav" synth "$len" sine "$(awk -v f="$f" 'BEGIN{print f*2.76}')"
    sox -m -v 0.75 "$tmp/n1.wav" -v 0.18 "$tmp/n2.wav" -v 0.07 "$tmp/n3.wav" "$out" \
        fade l 0.008 "$len" "$(awk -v l="$len" 'BEGIN{print l-0.008}')" pad "$at"
}

# soft FREQ START LENGTH OUT : a gentle low note, slow fade in and out.
soft() {
    local f=$1 at=$2 len=$3 out=$4
    sox -n -r 44100 -c 1 "$tmp/s1.wav" synth "$len" sine "$f"
    sox -n -r 44100 -c 1 "$tmp/s2.wav" synth "$len" sine "$(awk -v f="$f" 'BEGIN{print f*2}')"
    sox -m -v 0.85 "$tmp/s1.wav" -v 0.15 "$tmp/s2.wav" "$out" \
        fade h 0.04 "$len" 0.14 pad "$at"
}

# Right answer: C6 - E6 - G6, 0.6 s in all.
note 1046.50 0.00 0.36 "$tmp/ok1.wav"
note 1318.51 0.12 0.36 "$tmp/ok2.wav"
note 1567.98 0.24 0.36 "$tmp/ok3.wav"
sox -m "$tmp/ok1.wav" "$tmp/ok2.wav" "$tmp/ok3.wav" "$tmp/ok.wav" gain -n -4

# Wrong answer: 300 Hz sliding down to 220 Hz, soft, 0.5 s in all.
soft 300 0.00 0.26 "$tmp/ng1.wav"
soft 220 0.20 0.30 "$tmp/ng2.wav"
sox -m "$tmp/ng1.wav" "$tmp/ng2.wav" "$tmp/ng.wav" gain -n -10

lame --quiet -b 96 "$tmp/ok.wav" "$here/OK.mp3"
lame --quiet -b 96 "$tmp/ng.wav" "$here/NG.mp3"

# Scan tick: a short soft wooden click each time the switch highlight moves (WAV, so that it
# starts at once).
sox -n -r 44100 -c 1 -b 16 "$here/TICK.wav" synth 0.04 sine 1200 fade q 0.002 0.04 0.03 gain -n -12

# --------------------------------------------------------------------------
# Pictures: a tiny perspective renderer
# --------------------------------------------------------------------------
# Scene lines (read by project):
#   P x,h,z x,h,z ...   polygon in the world (x: right, h: up, z: ahead)
#   Q x,h,z x,h,z ...   open line through world points
#   C x,h,z r           ball of radius r  (drawn as a circle)
#   E x,h,z rx ry       flat ellipse facing the camera
#   M <line>            the same, mirrored left to right
#   anything else       passed through unchanged (fill, stroke, ...)
# Camera: at (CAMX, CAM, CAMZ), turned YAW degrees to the right, horizon at HY.

project() {
    awk -v F=300 -v CX=320 -v HY="${HY:-200}" -v CAM="${CAM:-1.3}" \
        -v CAMX="${CAMX:-0}" -v CAMZ="${CAMZ:-0}" -v YAW="${YAW:-0}" '
    BEGIN { a = YAW * 3.14159265 / 180; ca = cos(a); sa = sin(a); ZN = 0.2 }
    function cam(s,   p, x) {            # world "x,h,z" -> camera X[], H[], Z[]
        split(s, p, ",")
        x = (mir ? -p[1] : p[1]) - CAMX
        cx = x * ca - (p[3] - CAMZ) * sa
        cz = x * sa + (p[3] - CAMZ) * ca
        ch = p[2] - CAM
    }
    { mir = 0 }
    $1 == "M" { mir = 1; $0 = substr($0, 3) }
    function sx(x, z) { return sprintf("%.1f", CX + F * x / z) }
    function sy(h, z) { return sprintf("%.1f", HY - F * h / z) }
    $1 == "P" {
        n = 0
        for (i = 2; i <= NF; i++) { cam($i); n++; X[n] = cx; H[n] = ch; Z[n] = cz }
        m = 0                          # clip against the near plane z = ZN
        for (i = 1; i <= n; i++) {
            j = (i % n) + 1
            ini = Z[i] >= ZN; inj = Z[j] >= ZN
            if (ini) { m++; OX[m] = X[i]; OH[m] = H[i]; OZ[m] = Z[i] }
            if (ini != inj) {
                t = (ZN - Z[i]) / (Z[j] - Z[i])
                m++; OX[m] = X[i] + t * (X[j] - X[i]); OH[m] = H[i] + t * (H[j] - H[i]); OZ[m] = ZN
            }
        }
        if (m < 3) next
        line = "polygon"
        for (i = 1; i <= m; i++) line = line " " sx(OX[i], OZ[i]) "," sy(OH[i], OZ[i])
        print line
        next
    }
    $1 == "Q" {
        line = "polyline"
        for (i = 2; i <= NF; i++) {
            cam($i)
            if (i > 2 && (cz >= ZN) != (pz >= ZN)) {   # crosses the near plane
                t = (ZN - pz) / (cz - pz)
                line = line " " sx(px + t * (cx - px), ZN) "," sy(ph + t * (ch - ph), ZN)
            }
            if (cz >= ZN) line = line " " sx(cx, cz) "," sy(ch, cz)
            px = cx; ph = ch; pz = cz
        }
        print line
        next
    }
    $1 == "C" {
        cam($2); if (cz < ZN) next
        print "circle " sx(cx, cz) "," sy(ch, cz) " " sx(cx + $3, cz) "," sy(ch, cz)
        next
    }
    $1 == "E" {
        cam($2); if (cz < ZN) next
        printf "ellipse %s,%s %.1f,%.1f 0,360\n", sx(cx, cz), sy(ch, cz), F * $3 / cz, F * $4 / cz
        next
    }
    { print }'
}

# Small scene-building helpers (all print scene lines).
# ground X1 X2 Z1 Z2            flat rectangle on the ground
ground() { echo "P $1,0,$3 $2,0,$3 $2,0,$4 $1,0,$4"; }
# lift H X1 X2 Z1 Z2            flat rectangle at height H
lift()   { echo "P $2,$1,$4 $3,$1,$4 $3,$1,$5 $2,$1,$5"; }
# wallx X Z1 Z2 H1 H2           wall along the road (x constant)
wallx()  { echo "P $1,$4,$2 $1,$4,$3 $1,$5,$3 $1,$5,$2"; }
# wallz Z X1 X2 H1 H2           wall facing the camera (z constant)
wallz()  { echo "P $2,$4,$1 $3,$4,$1 $3,$5,$1 $2,$5,$1"; }
# gablez Z X1 X2 H1 H2          front of a house with a pointed roof end
gablez() { echo "P $2,0,$1 $3,0,$1 $3,$4,$1 $(awk -v a="$2" -v b="$3" 'BEGIN{print (a+b)/2}'),$5,$1 $2,$4,$1"; }

# sky TOP BOTTOM : gradient sky for a 640x480 picture
sky() { echo "-size 640x480 gradient:$1-$2"; }

# sun X Y, cloud X Y S : flat things in the sky (screen coordinates)
sun() {
    cat <<EOF
fill #ffe45c stroke #ffc93c stroke-width 6
circle $1,$2 $(($1 + 30)),$2
stroke none
EOF
}
cloud() {
    local x=$1 y=$2 s=$3
    awk -v x="$x" -v y="$y" -v s="$s" 'BEGIN {
        print "fill #ffffff"
        printf "ellipse %d,%d %d,%d 0,360\n", x, y, 46*s, 17*s
        printf "circle %d,%d %d,%d\n", x-18*s, y-6*s, x-18*s, y-26*s
        printf "circle %d,%d %d,%d\n", x+12*s, y-10*s, x+12*s, y-36*s
    }'
}

# house SIDE NEAR Z1 Z2 H WALL ROOF : a house beside the road.  SIDE is +1
# (right) or -1 (left), NEAR is the distance of its wall from the road centre,
# Z1..Z2 its extent along the road, H the eaves height.  Draws the end facing
# the camera, the wall along the road with windows and a door, and the roof.
house() {
    awk -v s="$1" -v n="$2" -v z1="$3" -v z2="$4" -v h="$5" -v wall="$6" -v roof="$7" 'BEGIN {
        w = 4.2; x1 = s*n; x2 = s*(n+w); xm = s*(n+w/2); top = h + 1.9
        printf "fill %s\nstroke #5a4a3a stroke-width 1\n", wall
        printf "P %g,0,%g %g,0,%g %g,%g,%g %g,%g,%g %g,%g,%g\n", x1,z1, x2,z1, x2,h,z1, xm,top,z1, x1,h,z1
        printf "fill %s\n", wall
        printf "P %g,0,%g %g,0,%g %g,%g,%g %g,%g,%g\n", x1,z1, x1,z2, x1,h,z2, x1,h,z1
        # windows: two per floor on the long wall
        printf "fill #bfe6ff\n"
        L = z2 - z1
        for (f = 0; f < 2; f++) {
            b = 0.8 + f*1.4; t = b + 0.7
            if (t > h - 0.2) continue
            for (k = 0; k < 2; k++) {
                if (f == 0 && k == 0) continue
                a = z1 + L*(0.15 + 0.45*k); c = a + L*0.28
                printf "P %g,%g,%g %g,%g,%g %g,%g,%g %g,%g,%g\n", x1,b,a, x1,b,c, x1,t,c, x1,t,a
            }
        }
        # door
        printf "fill #a0653a\n"
        a = z1 + L*0.15; c = a + L*0.2
        printf "P %g,0,%g %g,0,%g %g,1.9,%g %g,1.9,%g\n", x1,a, x1,c, x1,c, x1,a
        # roof: eaves overhang, ridge in the middle of the house
        printf "fill %s\n", roof
        e = x1 - s*0.4
        printf "P %g,%g,%g %g,%g,%g %g,%g,%g %g,%g,%g\n", e,h-0.3,z1-0.3, e,h-0.3,z2+0.3, xm,top,z2+0.3, xm,top,z1-0.3
        printf "P %g,%g,%g %g,%g,%g %g,%g,%g\n", e,h-0.3,z1-0.3, xm,top,z1-0.3, x2+s*0.4,h-0.3,z1-0.3
        print "stroke none"
    }'
}

# tree X Z H R CROWN : trunk and a round crown
tree() {
    awk -v x="$1" -v z="$2" -v h="$3" -v r="$4" -v c="$5" 'BEGIN {
        print "fill #8b5a2b"
        printf "P %g,0,%g %g,0,%g %g,%g,%g %g,%g,%g\n", x-0.15,z, x+0.15,z, x+0.12,h,z, x-0.12,h,z
        printf "fill %s\n", c
        printf "C %g,%g,%g %g\n", x, h+r*0.6, z, r
        printf "C %g,%g,%g %g\n", x-r*0.6, h+r*0.2, z, r*0.7
        printf "C %g,%g,%g %g\n", x+r*0.6, h+r*0.25, z, r*0.75
    }'
}

# picket X1 X2 Z H COLOUR : white garden fence across the view
picket() {
    awk -v a="$1" -v b="$2" -v z="$3" -v h="$4" -v c="$5" 'BEGIN {
        printf "fill %s\nstroke #9a9a9a stroke-width 1\n", c
        printf "P %g,%g,%g %g,%g,%g %g,%g,%g %g,%g,%g\n", a,h*0.55,z, b,h*0.55,z, b,h*0.7,z, a,h*0.7,z
        for (x = a; x < b - 0.05; x += 0.25)
            printf "P %g,0,%g %g,0,%g %g,%g,%g %g,%g,%g %g,%g,%g\n", x,z, x+0.14,z, x+0.14,h,z, x+0.07,h+0.08,z, x,h,z
        print "stroke none"
    }'
}

# dashes X Z1 Z2 : dashed white centre line on a straight road
dashes() {
    awk -v x="$1" -v a="$2" -v b="$3" 'BEGIN {
        print "fill #ffffff"
        for (z = a; z < b; z += 3) printf "P %g,0,%g %g,0,%g %g,0,%g %g,0,%g\n", x-0.06,z, x+0.06,z, x+0.06,z+1.5, x-0.06,z+1.5
    }'
}

# pole X Z H : grey utility pole
pole() {
    echo "fill #9b9b9b"
    echo "P $(awk -v x="$1" -v z="$2" -v h="$3" 'BEGIN{printf "%g,0,%g %g,0,%g %g,%g,%g %g,%g,%g", x-0.12,z, x+0.12,z, x+0.09,h,z, x-0.09,h,z}')"
}

# picture NAME ARGS... : run the scene function through the renderer and save
picture() {
    local name=$1; shift
    # shellcheck disable=SC2046
    convert $(sky "$1" "$2") -draw "$("$3" | project)" \
        -strip -interlace none -sampling-factor 2x2 -quality 85 "$here/photos/$name.jpg"
}

# ---- 01: leaving home, through the garden gate, straight on ----------------
scene_home() {
    sun 560 70; cloud 150 70 1.2; cloud 420 110 0.8
    # far hills and the lawn
    echo "fill #9fd39a"; echo "ellipse 140,205 260,40 180,360"; echo "ellipse 520,205 240,32 180,360"
    echo "fill #7cc95a"; ground -60 60 0.1 200
    # lane beyond the gate, with houses along it
    echo "fill #a9a9a9"; ground -1.6 1.6 8.2 200
    echo "fill #d9d3c3"; ground -2.2 -1.6 8.2 200; ground 1.6 2.2 8.2 200
    house 1 2.4 30 36 3.2 "#fff1c9" "#5f8fd1"
    house -1 2.4 30 36 3.2 "#ffd9d0" "#c0504d"
    house 1 2.4 21 27 3.2 "#e3f0d9" "#7a5c99"
    house -1 2.4 21 27 3.2 "#f1e2c4" "#4f9a6a"
    house 1 2.4 12 18 3.2 "#ffe3b3" "#d9813a"
    house -1 2.4 12 18 3.2 "#dfe9f7" "#3f6fb0"
    pole 2.0 15 5.5
    # stepping-stone path from our door to the gate
    echo "fill #e8d9b5"; ground -0.7 0.7 0.1 6.0
    echo "fill #cdb98f"
    awk 'BEGIN{for (z = 1.2; z < 5.8; z += 0.8) printf "P -0.5,0.01,%g 0.5,0.01,%g 0.45,0.01,%g -0.45,0.01,%g\n", z, z, z+0.5, z+0.5}'
    # garden fence with an open gate in the middle
    picket -9 -0.75 6.0 1.0 "#ffffff"
    picket 0.75 9 6.0 1.0 "#ffffff"
    echo "fill #c9773f"; wallz 6.0 -0.95 -0.7 0 1.35; wallz 6.0 0.7 0.95 0 1.35
    echo "fill #e0a36e"; lift 1.35 -0.95 -0.7 5.8 6.0; lift 1.35 0.7 0.95 5.8 6.0
    # gate doors swung open towards us
    echo "fill #ffffff stroke #9a9a9a stroke-width 1"
    wallx -0.72 5.25 5.95 0.1 1.0; wallx 0.72 5.25 5.95 0.1 1.0
    echo "stroke none"
    # flowers and a tree on the right of the garden
    tree 3.6 5.0 1.4 1.0 "#3fa34d"
    awk 'BEGIN{srand(7); split("#ff6b8b #ffd23f #ff8c42 #ffffff #c77dff", c, " ")
        for (i = 0; i < 40; i++) { x = 1.2 + rand()*3.5; z = 2.2 + rand()*3.4
            printf "fill #3f8f3a\nC %g,0.12,%g 0.12\nfill %s\nC %g,0.22,%g 0.09\n", x, z, c[1+int(rand()*5)], x, z }}'
    # our house on the left: long wall with the front door, roof above
    echo "fill #fff4d6 stroke #6b5a45 stroke-width 2"
    gablez 1.2 -7 -2.0 2.9 4.6
    wallx -2.0 1.2 5.0 0 2.9
    echo "fill #b8423a"
    echo "P -1.6,2.6,0.9 -1.6,2.6,5.4 -4.5,4.8,5.4 -4.5,4.8,0.9"
    echo "P -1.6,2.6,0.9 -4.5,4.8,0.9 -7.4,2.6,0.9"
    echo "fill #bfe6ff"; wallz 1.19 -4.6 -3.0 1.0 2.0
    echo "fill #ffffff"; wallz 1.18 -3.84 -3.76 1.0 2.0
    echo "fill #9c5a2e"; wallx -1.99 2.6 3.4 0 2.1
    echo "fill #e9c46a"; echo "C -1.98,1.05,3.3 0.06"
    echo "fill #bfe6ff"; wallx -1.99 3.9 4.7 1.0 2.0
    echo "fill #ffffff"; wallx -1.98 4.27 4.33 1.0 2.0
    echo "fill #c9c2b0"; echo "P -2.0,0.02,2.4 -2.0,0.02,3.6 -1.3,0.02,3.6 -1.3,0.02,2.4"
    echo "fill #e8d9b5"; echo "P -1.3,0.01,2.7 -0.6,0.01,2.7 -0.6,0.01,3.3 -1.3,0.01,3.3"
    echo "stroke none"
}

# ---- 02: a straight residential street ------------------------------------
scene_street() {
    sun 90 60; cloud 300 80 1.0; cloud 540 60 1.3
    echo "fill #a6d98f"; ground -80 80 0.1 300
    echo "fill #9a9a9a"; ground -2.0 2.0 0.1 300
    echo "fill #ffffff"; ground -1.85 -1.75 0.1 300; ground 1.75 1.85 0.1 300
    dashes 0 2 300
    echo "fill #d6d0c0"; ground -2.6 -2.0 0.1 300; ground 2.0 2.6 0.1 300
    local z cols roofs i=0
    cols=("#fff1c9" "#dfe9f7" "#ffd9d0" "#e3f0d9" "#f1e2c4" "#ffe3b3" "#e8defa" "#fff1c9")
    roofs=("#5f8fd1" "#c0504d" "#4f9a6a" "#7a5c99" "#d9813a" "#3f6fb0" "#b8423a" "#4f9a6a")
    echo "fill #cfc6b4 stroke #a89f8c stroke-width 1"
    wallx 2.6 0.1 8 0 0.8; wallx -2.6 0.1 8 0 0.8
    echo "stroke none"
    for z in 50 43 36 29 22 15 8; do
        house 1 2.8 "$z" $((z + 5)) 3.2 "${cols[i]}" "${roofs[i]}"
        house -1 2.8 "$((z + 1))" $((z + 6)) 3.2 "${cols[(i + 3) % 8]}" "${roofs[(i + 5) % 8]}"
        # low block walls between the road and the houses
        echo "fill #cfc6b4 stroke #a89f8c stroke-width 1"
        wallx 2.6 "$z" $((z + 7)) 0 0.8; wallx -2.6 "$z" $((z + 7)) 0 0.8
        echo "stroke none"
        pole 2.3 "$((z + 3))" 6
        i=$((i + 1))
    done
    tree -3.4 4 1.2 0.9 "#3fa34d"
    tree 3.6 5.5 1.2 1.0 "#4caf50"
}

# ---- 03 / 05: a corner.  One road layout serves both: drawn as is the road
# bends to the right, drawn mirrored (M lines) it bends to the left.

# bend_road Z R : the road from us to Z, then round a curve (outer radius R) to the right
bend_road() {
    awk -v zc="$1" -v ro="$2" 'BEGIN {
        ri = ro - 3.6; cx = -1.8 + ro; pi = 3.14159265
        line = "P -1.8,0,-5"
        for (t = 180; t >= 90; t -= 5) line = line sprintf(" %.3f,0,%.3f", cx + ro*cos(t*pi/180), zc + ro*sin(t*pi/180))
        line = line sprintf(" 60,0,%g 60,0,%g", zc + ro, zc + ri)
        for (t = 90; t <= 180; t += 5) line = line sprintf(" %.3f,0,%.3f", cx + ri*cos(t*pi/180), zc + ri*sin(t*pi/180))
        print "fill #9a9a9a"
        print line " 1.8,0,-5"
        # white edge lines following the curve
        print "stroke #ffffff stroke-width 4 stroke-linejoin round fill none"
        o = ro - 0.25; i = ri + 0.25
        line = "Q -1.55,0,-5"
        for (t = 180; t >= 90; t -= 5) line = line sprintf(" %.3f,0,%.3f", cx + o*cos(t*pi/180), zc + o*sin(t*pi/180))
        print line sprintf(" 60,0,%g", zc + o)
        line = sprintf("Q 60,0,%g", zc + i)
        for (t = 90; t <= 180; t += 5) line = line sprintf(" %.3f,0,%.3f", cx + i*cos(t*pi/180), zc + i*sin(t*pi/180))
        print line " 1.55,0,-5"
        print "stroke none"
    }'
}

# facade X1 X2 Z H WALL ROOF : a house front facing us, roof sloping away
facade() {
    awk -v a="$1" -v b="$2" -v z="$3" -v h="$4" -v wall="$5" -v roof="$6" 'BEGIN {
        printf "fill %s\nstroke #5a4a3a stroke-width 1\n", wall
        printf "P %g,0,%g %g,0,%g %g,%g,%g %g,%g,%g\n", a,z, b,z, b,h,z, a,h,z
        printf "fill #bfe6ff\n"
        w = b - a
        for (f = 0; f < 2; f++) for (k = 0; k < 2; k++) {
            if (f == 0 && k == 0) continue
            x = a + w*(0.12 + 0.5*k); y = 0.8 + f*1.4
            printf "P %g,%g,%g %g,%g,%g %g,%g,%g %g,%g,%g\n", x,y,z, x+w*0.3,y,z, x+w*0.3,y+0.7,z, x,y+0.7,z
        }
        printf "fill #a0653a\n"
        x = a + w*0.15
        printf "P %g,0,%g %g,0,%g %g,1.9,%g %g,1.9,%g\n", x,z, x+0.9,z, x+0.9,z, x,z
        printf "fill %s\n", roof
        printf "P %g,%g,%g %g,%g,%g %g,%g,%g %g,%g,%g\n", a-0.3,h-0.2,z-0.4, b+0.3,h-0.2,z-0.4, b-0.4,h+1.6,z+2, a+0.4,h+1.6,z+2
        print "stroke none"
    }'
}

# hedge X1 X2 Z : a low green hedge along z = Z
hedge() {
    awk -v a="$1" -v b="$2" -v z="$3" 'BEGIN {
        print "fill #3f8f3a"
        printf "P %g,0,%g %g,0,%g %g,0.8,%g %g,0.8,%g\n", a,z, b,z, b,z, a,z
        print "fill #4fa446"
        for (x = a + 0.3; x < b; x += 0.6) printf "C %g,0.8,%g 0.32\n", x, z
    }'
}

# curb_wall Z R : block wall and houses round the outside of the bend
curb_wall() {
    awk -v zc="$1" -v ro="$2" 'BEGIN {
        cx = -1.8 + ro; r = ro + 0.7; pi = 3.14159265
        print "fill #d8d0bd stroke #a89f8c stroke-width 1"
        for (t = 180; t > 90; t -= 6) {
            a = t*pi/180; b = (t-6)*pi/180
            printf "P %.3f,0,%.3f %.3f,0,%.3f %.3f,1.2,%.3f %.3f,1.2,%.3f\n", cx+r*cos(a), zc+r*sin(a), cx+r*cos(b), zc+r*sin(b), cx+r*cos(b), zc+r*sin(b), cx+r*cos(a), zc+r*sin(a)
        }
        printf "P %.3f,0,%.3f 80,0,%.3f 80,1.2,%.3f %.3f,1.2,%.3f\n", cx, zc+r, zc+r, zc+r, cx, zc+r
        printf "P -2.5,0,-5 -2.5,0,%.3f -2.5,1.2,%.3f -2.5,1.2,-5\n", zc, zc
        print "stroke none"
    }'
}

scene_corner_right() {
    sun 540 60; cloud 170 60 1.1; cloud 380 100 0.7
    echo "fill #e6dfcc"; ground -80 80 -5 300
    echo "fill #a6d98f"; ground -80 80 16 300
    # beyond the bend: gardens, trees and houses - there is no way straight on
    echo "fill #8fcf7a"; ground -40 40 11.5 16
    facade -10 -4.5 15 3.3 "#fff1c9" "#5f8fd1"
    facade -3.5 1.5 14.5 3.3 "#ffd9d0" "#4f9a6a"
    facade 3 8 15 3.3 "#e3f0d9" "#7a5c99"
    tree 10.5 13.5 2.4 1.6 "#3fa34d"; tree -1 12.8 2.2 1.3 "#4caf50"
    curb_wall 2 9
    # the store's car park inside the bend, then the road itself
    echo "fill #d0d0d0"; ground 1.8 14 -5 8
    echo "fill #ffffff"
    awk 'BEGIN{for (z = -1; z < 3.5; z += 1.3) printf "P 2.8,0,%g 5.0,0,%g 5.0,0,%g 2.8,0,%g\n", z, z, z+0.08, z+0.08}'
    bend_road 2 9
    # inside the bend: a convenience store with its car park; its tall sign
    # and a red postbox stand on the corner
    echo "fill #f6f6f6 stroke #888888 stroke-width 1"; wallx 5.8 -4 3.6 0 3.2
    echo "fill #3b8bd0"; wallx 5.78 -4 3.6 2.65 3.05
    echo "fill #4cb050"; wallx 5.78 -4 3.6 2.35 2.65
    echo "fill #f28c28"; wallx 5.78 -4 3.6 2.05 2.35
    echo "fill #bfe6ff"; wallx 5.78 -3 2.8 0.15 1.8
    echo "fill #dddddd"; wallx 5.77 0 1.2 0.15 1.8
    echo "stroke none"
    pole 3.0 4.6 4.4
    echo "fill #ffffff stroke #666666 stroke-width 2"; wallz 4.6 2.2 3.8 3.2 4.6
    echo "fill #3b8bd0"; wallz 4.59 2.2 3.8 4.15 4.6
    echo "fill #4cb050"; wallz 4.59 2.2 3.8 3.8 4.15
    echo "fill #f28c28"; wallz 4.59 2.2 3.8 3.5 3.8
    echo "stroke none"
    echo "fill #8a8a8a"; wallz 3.0 2.5 2.6 0 0.45
    echo "fill #d7263d stroke #8c1020 stroke-width 2"
    wallz 3.0 2.25 2.85 0.45 1.4
    echo "E 2.55,1.4,3.0 0.3 0.13"
    echo "fill #222222 stroke none"; wallz 2.99 2.37 2.73 1.15 1.22
    echo "fill #ffffff"; wallz 2.99 2.4 2.7 0.8 0.9
}

scene_corner_left() {
    sun 110 55; cloud 470 60 1.2; cloud 260 105 0.7
    echo "fill #e6dfcc"; ground -80 80 -5 300
    echo "fill #a6d98f"; ground -80 80 16 300
    # beyond the bend: an apartment block - there is no way straight on
    echo "fill #efe6d2 stroke #9c927c stroke-width 1"
    wallz 14.5 -4 9 0 7.5
    echo "fill #bfe6ff"
    awk 'BEGIN{for (f = 0; f < 3; f++) for (x = -3.4; x < 8.5; x += 1.6)
        printf "P %g,%g,14.49 %g,%g,14.49 %g,%g,14.49 %g,%g,14.49\n", x,1+f*2.3, x+0.9,1+f*2.3, x+0.9,2.3+f*2.3, x,2.3+f*2.3}'
    echo "fill #c9c0aa"
    awk 'BEGIN{for (f = 0; f < 3; f++) printf "P -4,%g,14.48 9,%g,14.48 9,%g,14.48 -4,%g,14.48\n", 0.75+f*2.3, 0.75+f*2.3, 0.95+f*2.3, 0.95+f*2.3}'
    echo "stroke none"
    facade -12 -6.5 15 3.3 "#ffe3b3" "#c0504d"
    tree 10.5 12.5 2.4 1.6 "#3fa34d"
    curb_wall 2 9 | sed 's/^P /M P /'
    # the park inside the bend, then the road itself
    echo "fill #7cc95a"; ground -14 -1.8 -5 8
    echo "fill #e0c98f"; ground -9 -4.2 -1 3.5
    bend_road 2 9 | sed 's/^\([PQ] \)/M \1/'
    # in the park: a slide, a big tree, a bench; a vending machine on the corner
    echo "fill #ff8c42"; wallz 2.6 -6.6 -6.45 0 1.2; wallz 2.6 -5.7 -5.55 0 1.2
    echo "fill #ffd23f"; echo "P -6.6,1.2,2.6 -5.55,1.2,2.6 -4.1,0.1,2.6 -4.4,0,2.6 -5.6,0.95,2.6 -6.6,0.95,2.6"
    tree -6.2 5.2 2.8 2.2 "#2f9a44"
    echo "fill #a0653a"; wallz 4.0 -4.6 -3.4 0.4 0.5; wallz 4.0 -4.6 -3.4 0.6 0.9
    wallz 4.0 -4.5 -4.42 0 0.4; wallz 4.0 -3.58 -3.5 0 0.4
    echo "fill #3f8f3a"; awk 'BEGIN{for (z = 0.6; z < 3.4; z += 0.5) printf "C -2.3,0.25,%g 0.3\n", z}'
    echo "fill #d7263d stroke #7a1020 stroke-width 2"
    wallz 3.0 -3.1 -2.3 0 1.85
    echo "fill #ffffff stroke none"; wallz 2.99 -3.0 -2.4 1.0 1.7
    awk 'BEGIN{split("#3b8bd0 #ffd23f #4cb050 #f28c28 #3b8bd0 #c77dff", c, " ")
        for (r = 0; r < 2; r++) for (k = 0; k < 3; k++) {
            x = -2.95 + k*0.19; h = 1.1 + r*0.3
            printf "fill %s\nP %g,%g,2.98 %g,%g,2.98 %g,%g,2.98 %g,%g,2.98\n", c[1+r*3+k], x,h, x+0.13,h, x+0.13,h+0.22, x,h+0.22 }}'
    echo "fill #333333"; wallz 2.99 -2.95 -2.45 0.15 0.35
    echo "fill #bbbbbb"; wallz 2.99 -2.4 -2.35 0.6 0.9
}

# ---- 04: a pedestrian crossing with a green walking man --------------------

# walk_signal X Z : pedestrian light on a pole, red off, green walking man lit
walk_signal() {
    awk -v x0="$1" -v z="$2" 'BEGIN {
        print "fill #9b9b9b"
        printf "P %g,0,%g %g,0,%g %g,3.6,%g %g,3.6,%g\n", x0-0.08,z+0.05, x0+0.08,z+0.05, x0+0.08,z+0.05, x0-0.08,z+0.05
        print "fill #333333 stroke #111111 stroke-width 2"
        printf "P %g,2.0,%g %g,2.0,%g %g,3.5,%g %g,3.5,%g\n", x0-0.42,z, x0+0.42,z, x0+0.42,z, x0-0.42,z
        print "stroke none fill #4a1c1c"
        printf "P %g,2.8,%g %g,2.8,%g %g,3.42,%g %g,3.42,%g\n", x0-0.34,z, x0+0.34,z, x0+0.34,z, x0-0.34,z
        print "fill #15301f"
        printf "P %g,2.08,%g %g,2.08,%g %g,2.72,%g %g,2.72,%g\n", x0-0.34,z, x0+0.34,z, x0+0.34,z, x0-0.34,z
        # the walking man, drawn in a 1 x 1 box and scaled into the lamp
        n = split("-0.06,0.76 0.12,0.76 0.32,0.55 0.25,0.49 0.1,0.62 0.1,0.45 0.34,0.05 0.22,0.0 0.02,0.36 -0.12,0.18 -0.3,0.02 -0.36,0.09 -0.16,0.3 -0.08,0.45 -0.08,0.62 -0.25,0.5 -0.31,0.57", pt, " ")
        k = 0.58; b = 2.12
        line = "P"
        for (i = 1; i <= n; i++) { split(pt[i], q, ","); line = line sprintf(" %g,%g,%g", x0 + k*q[1], b + k*q[2], z - 0.01) }
        print "fill #3dff8a"
        print line
        printf "C %g,%g,%g %g\n", x0 + k*0.04, b + k*0.89, z - 0.01, k*0.1
    }'
}

scene_crossing() {
    sun 470 60; cloud 150 90 1.0; cloud 600 130 0.6
    echo "fill #a6d98f"; ground -80 80 0.1 300
    # the road we walk on continues straight after the crossing
    echo "fill #9a9a9a"; ground -1.6 1.6 7.4 300
    dashes 0 9 300
    echo "fill #d6d0c0"; ground -2.4 -1.6 7.4 300; ground 1.6 2.4 7.4 300
    for z in 40 31 22 13; do
        house 1 2.8 "$z" $((z + 6)) 3.2 "#fff1c9" "#5f8fd1"
        house -1 2.8 "$z" $((z + 6)) 3.2 "#ffd9d0" "#4f9a6a"
    done
    tree -4 10 2.4 1.5 "#3fa34d"; tree 4.2 9.8 2.4 1.6 "#4caf50"
    # far pavement
    echo "fill #d6d0c0"; ground -60 60 6.6 7.6
    echo "fill #b8b0a0"; ground -60 60 6.55 6.65
    # the wide road we must cross, with its zebra stripes
    echo "fill #8c8c8c"; ground -60 60 2.2 6.55
    echo "fill #ffffff"; ground -60 -1.8 4.35 4.42; ground 1.8 60 4.35 4.42
    awk 'BEGIN{for (z = 2.35; z < 6.4; z += 0.8) printf "P -1.5,0,%g 1.5,0,%g 1.5,0,%g -1.5,0,%g\n", z, z, z+0.42, z+0.42}'
    # pedestrian lights on both sides of the far end
    walk_signal 2.1 6.9
    walk_signal -2.1 6.9
    # our pavement, with yellow guide blocks at the kerb
    echo "fill #d6d0c0"; ground -60 60 0.1 2.2
    echo "fill #b8b0a0"; ground -60 60 2.1 2.2
    echo "fill #ffd23f"; ground -1.2 1.2 1.6 1.95; ground -0.2 0.2 0.1 1.6
}

# ---- 06: the school gate, the school and its clock ------------------------
scene_school() {
    sun 90 55; cloud 520 60 1.2; cloud 330 30 0.6
    echo "fill #a6d98f"; ground -80 80 0.1 300
    # school building with a clock tower
    echo "fill #f6efe0 stroke #b5a98f stroke-width 1"
    wallz 16 -16 16 0 7.0
    wallz 15.9 -2.4 2.4 0 9.6
    echo "fill #8fb0c9"; echo "P -2.8,9.6,15.9 2.8,9.6,15.9 0,10.7,15.9"
    echo "stroke none fill #bfe6ff"
    awk 'BEGIN{for (f = 0; f < 3; f++) for (x = -15.2; x < 15; x += 2.2) { if (x > -3.2 && x < 2.6) continue
        printf "P %g,%g,15.98 %g,%g,15.98 %g,%g,15.98 %g,%g,15.98\n", x,0.8+f*2.2, x+1.5,0.8+f*2.2, x+1.5,2.0+f*2.2, x,2.0+f*2.2 }}'
    echo "fill #8c6a4a"; wallz 15.85 -1.6 1.6 0 2.6
    echo "fill #bfe6ff"; wallz 15.84 -1.4 -0.05 0.1 2.4; wallz 15.84 0.05 1.4 0.1 2.4
    # clock: face, hour marks, hands (showing a quarter past eight)
    echo "fill #ffffff stroke #444444 stroke-width 3"; echo "C 0,7.0,15.8 1.45"
    echo "stroke none fill #444444"
    awk 'BEGIN{for (k = 0; k < 12; k++) { a = k*3.14159265/6; printf "C %g,%g,15.79 0.09\n", 1.17*sin(a), 7.0+1.17*cos(a) }}'
    echo "stroke #222222 stroke-width 5"
    awk 'BEGIN{ a = (8.25/12)*2*3.14159265; printf "Q 0,7.0,15.78 %g,%g,15.78\n", 0.7*sin(a), 7.0+0.7*cos(a) }'
    echo "stroke-width 3"
    awk 'BEGIN{ a = (15/60)*2*3.14159265;   printf "Q 0,7.0,15.78 %g,%g,15.78\n", 1.05*sin(a), 7.0+1.05*cos(a) }'
    echo "stroke none fill #d7263d"; echo "C 0,7.0,15.77 0.12"
    # playground and the path from the gate to the door
    echo "fill #e3c997"; ground -40 40 5.1 15.9
    echo "fill #cfcfcf"; ground -1.6 1.6 5.1 15.9
    # cherry trees and a flag pole in the school grounds
    tree -9 10 2.2 1.6 "#ffb7c9"; tree -14 12 2.2 1.8 "#ffc4d3"
    tree 9 10 2.2 1.6 "#ffb7c9"; tree 14 12 2.2 1.8 "#ffc4d3"
    echo "fill #9b9b9b"; echo "P 5.1,0,12 5.2,0,12 5.2,6,12 5.1,6,12"
    echo "fill #4cb050"; echo "P 5.2,6,12 6.6,5.7,12 5.2,5.3,12"
    # school wall with the gate pillars, the gate slid open to the right
    echo "fill #e9e0cc stroke #b0a68e stroke-width 1"
    wallz 5.1 -30 -2.3 0 1.4; wallz 5.1 2.3 30 0 1.4
    echo "fill #d7ccb3"; wallz 5.0 -2.4 -1.7 0 2.3; wallz 5.0 1.7 2.4 0 2.3
    echo "fill #c2b699"; lift 2.3 -2.4 -1.7 4.9 5.0; lift 2.3 1.7 2.4 4.9 5.0
    echo "fill #f6f1e4"; wallz 4.99 -2.3 -1.8 1.2 2.0
    echo "stroke #6f7f8f stroke-width 2 fill none"
    awk 'BEGIN{ printf "Q 2.4,0.1,4.95 6.0,0.1,4.95\nQ 2.4,1.3,4.95 6.0,1.3,4.95\n"
        for (x = 2.55; x < 6.05; x += 0.3) printf "Q %g,0.1,4.95 %g,1.3,4.95\n", x, x }'
    echo "stroke none"
    # our pavement up to the gate, with a yellow guide line
    echo "fill #d6d0c0"; ground -60 60 0.1 5.1
    echo "fill #b8b0a0"; ground -60 60 4.9 5.1
    awk 'BEGIN{for (z = 1.5; z < 4.9; z += 0.9) printf "P -60,0,%g 60,0,%g 60,0,%g -60,0,%g\n", z, z, z+0.03, z+0.03}'
    echo "fill #ffd23f"; ground -0.15 0.15 0.1 4.9
    # flower planters along the wall
    awk 'BEGIN{srand(3); split("#ff6b8b #ffd23f #ff8c42 #ffffff #c77dff", c, " ")
        for (x = -12; x < 12; x += 3.2) { if (x > -3.5 && x < 2.6) continue
            printf "fill #a0653a\nP %g,0,4.7 %g,0,4.7 %g,0.5,4.7 %g,0.5,4.7\nfill #3f8f3a\n", x, x+1.6, x+1.6, x
            for (k = 0; k < 4; k++) printf "C %g,0.6,4.75 0.2\n", x+0.25+k*0.37
            for (k = 0; k < 4; k++) printf "fill %s\nC %g,0.72,4.72 0.1\n", c[1+int(rand()*5)], x+0.25+k*0.37 }}'
}

CAMZ=-1.5 CAMX=0.4 CAM=1.5 picture 01_home_gate "#7ec8f5" "#e4f5ff" scene_home
picture 02_straight_street "#6fbef2" "#ddf2ff" scene_street
CAM=2.4 HY=150 YAW=8 CAMX=0.3 CAMZ=-3 picture 03_corner_right "#86cdf7" "#eef8ff" scene_corner_right
picture 04_crossing "#76c4f4" "#e2f4ff" scene_crossing
CAM=2.4 HY=150 YAW=-8 CAMX=-0.3 CAMZ=-3 picture 05_corner_left "#8fd0f6" "#f0f9ff" scene_corner_left
HY=230 picture 06_school_gate "#6ab9ef" "#dff3ff" scene_school

# --------------------------------------------------------------------------
# Program icon: a path with a yellow arrow pointing up to a little school.
# Drawn on a 32 x 32 grid; the large copy is the same drawing scaled by 8.
# --------------------------------------------------------------------------
icon_mvg() {
    cat <<EOF
scale $1,$1
stroke none
fill #7fcdf6
roundrectangle 0,0 31.9,31.9 6,6
fill #62b947
path 'M 0,15 L 31.9,15 L 31.9,26 A 6,6 0 0 1 25.9,31.9 L 6,31.9 A 6,6 0 0 1 0,26 Z'
fill #f3ead2
polygon 6,31.9 26,31.9 18,12 14,12
fill #fff6dc stroke #7a4a2a stroke-width 0.7
rectangle 5.5,7.5 26.5,14
rectangle 12.5,3 19.5,14
fill #d7263d stroke #7a1020
polygon 10.5,3.6 16,0.3 21.5,3.6
stroke none fill #5aa9e6
rectangle 7,9 9.5,11.5
rectangle 22.5,9 25,11.5
fill #ffffff stroke #444444 stroke-width 0.6
circle 16,6.4 16,4.6
stroke none fill #8c5a32
rectangle 14.6,10.6 17.4,14
fill #ffd23f stroke #24602a stroke-width 1.1
polygon 16,14 24,22.5 19.4,22.5 19.4,29.5 12.6,29.5 12.6,22.5 8,22.5
EOF
}
convert -size 256x256 xc:none -draw "$(icon_mvg 8)" -depth 8 -strip "$here/icon/michitan_256.png"
# the small one without smoothing, so every edge stays crisp in 16 colours
convert -size 32x32 xc:none +antialias -draw "$(icon_mvg 1)" -colors 16 -strip "PNG8:$here/icon/michitan.png"
convert "$here/icon/michitan.png" -colors 16 "$here/icon/michitan.ico"
# the desktop menu's icons (hicolor theme sizes), drawn at each size from the same drawing
for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "$here/icon/hicolor/${size}x${size}"
    convert -size ${size}x${size} xc:none -draw "$(icon_mvg "$(awk "BEGIN{print $size/32}")")" \
        -depth 8 -strip "$here/icon/hicolor/${size}x${size}/michitan.png"
done
