#!/usr/bin/env bash
# Makes the three pictures of the completion window. Same ImageMagick and fonts give the same bytes.
# Needs imagemagick, fonts-wqy-zenhei and fonts-dejavu-core.
set -euo pipefail
out=$(cd "$(dirname "$0")" && pwd)
hei=/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc
mono=/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf

# The last lines of a running server's console, the ready line framed in red.
convert -size 640x73 xc:black -font "$mono" -pointsize 11 -fill '#bcbcbc' \
  -annotate +4+12 '2014-01-21 22:45:09 [INFO] Preparing spawn area: 84%' \
  -annotate +4+26 '2014-01-21 22:45:10 [INFO] Preparing spawn area: 97%' \
  -annotate +4+40 '2014-01-21 22:45:10 [INFO] Done (3.512s)! For help, type "help" or "?"' \
  -annotate +4+54 '2014-01-21 22:45:10 [INFO] Starting remote control listener' \
  -annotate +4+68 '>' \
  -fill none -stroke '#ff1010' -strokewidth 2 -draw 'rectangle 1,29 508,45' \
  -strip -interlace none -sampling-factor 2x2 -quality 92 "$out/completion_console.jpg"

# 祝贺你成为一个新服主 as if written by hand: each character nudged, tilted and rising to the right.
args=()
chars=(祝 贺 你 成 为 一 个 新 服 主)
tilts=(-7 -2 -9 -4 -11 -6 -3 -10 -5 -8)
lifts=(0 5 -3 4 -2 6 1 -4 3 -1)
sizes=(50 47 52 48 51 46 50 49 53 48)
for i in "${!chars[@]}"; do
  x=$((14 + i * 54 + (i % 3) * 2))
  y=$((128 - i * 6 + ${lifts[$i]}))
  t=${tilts[$i]}
  args+=(-pointsize "${sizes[$i]}" -annotate "${t}x${t}+${x}+${y}" "${chars[$i]}")
done
convert -size 566x154 xc:white -font "$hei" -fill black -stroke black -strokewidth 1 "${args[@]}" \
  -wave 3x140 -gravity center -extent 566x154 -blur 0x0.6 \
  -strip +dither -colors 256 "$out/completion_welcome.gif"

# An Explorer tile of the start script: a batch-file icon beside name, type and size.
convert -size 171x54 xc:white \
  -fill '#f4f4f4' -stroke '#8a8a8a' -strokewidth 1 -draw 'rectangle 6,5 45,48' \
  -fill '#3b6fc4' -stroke none -draw 'rectangle 7,6 44,12' \
  -fill '#d8d8d8' -draw 'rectangle 10,16 41,45' \
  -fill none -stroke '#606060' -strokewidth 3 -draw 'circle 21,27 21,33' -draw 'circle 33,37 33,41' \
  -stroke '#606060' -strokewidth 2 \
  -draw 'line 21,18 21,20' -draw 'line 21,34 21,36' -draw 'line 12,27 14,27' -draw 'line 28,27 30,27' \
  -draw 'line 33,31 33,32' -draw 'line 33,42 33,43' -draw 'line 27,37 28,37' -draw 'line 38,37 39,37' \
  -stroke none -font "$hei" -pointsize 12 \
  -fill black -annotate +54+16 '服务端.bat' \
  -fill '#6d6d6d' -annotate +54+32 'MS-DOS 批处理文件' -annotate +54+48 '1 KB' \
  -strip +dither -colors 256 "$out/completion_script_tile.gif"
