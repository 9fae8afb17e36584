#!/bin/sh
# Draws the console's bitmaps and icons with ImageMagick. The PNGs are committed; run this only to
# change a picture.
set -eu
cd "$(dirname "$0")"
font=DejaVu-Sans-Bold
band="rgb(16,64,160)"

caption() {
    convert -size 96x16 "xc:$band" -font "$font" -pointsize 10 -fill white -gravity center \
        -annotate +0+0 "$1" -strip "PNG32:$2"
}
disc() {
    convert -size 16x16 xc:none -fill "$1" -stroke "$2" -draw "circle 7.5,7.5 7.5,1.5" \
        -fill "rgba(255,255,255,0.6)" -stroke none -draw "circle 5.5,5.5 5.5,3.8" -strip "PNG32:$3"
}

caption "Discovery List" discovery_caption.png
caption "Monitor List" monitor_caption.png
convert -size 18x20 xc:none -fill "rgb(255,204,0)" -stroke "rgb(120,90,0)" \
    -draw "polygon 6,1 12,1 12,10 17,10 9,19 1,10 6,10" -strip PNG32:down_arrow.png
disc "rgb(40,200,60)" "rgb(10,90,20)" trap_green.png
disc "rgb(230,30,30)" "rgb(110,0,0)" trap_red.png
convert -size 32x32 xc:none -fill "rgb(8,105,148)" -stroke white -strokewidth 2 \
    -draw "roundrectangle 2,5 29,26 4,4" -stroke none -fill "rgb(80,220,90)" \
    -draw "rectangle 6,19 9,22" -draw "rectangle 12,19 15,22" -draw "rectangle 18,19 21,22" \
    -draw "rectangle 24,19 26,22" -fill white -font "$font" -pointsize 14 -gravity north \
    -annotate +0+4 "V" -strip PNG32:app.png
convert -size 16x16 xc:none -fill "rgb(255,214,0)" -stroke "rgb(140,100,0)" \
    -draw "roundrectangle 1,1 14,14 3,3" -fill black -stroke none -draw "rectangle 7,3 8,9" \
    -draw "rectangle 7,11 8,12" -strip PNG32:unread_trap.png
convert -size 16x16 xc:none -fill "rgb(210,20,20)" -draw "roundrectangle 0,0 15,15 3,3" \
    -stroke white -strokewidth 2.5 -draw "line 4,4 11,11" -draw "line 11,4 4,11" \
    -strip PNG32:not_alive.png
