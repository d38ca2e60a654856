#!/usr/bin/env bash
# Draws the application icon with ImageMagick at 256 pixels, scales it to the
# seven sizes of the icon group (16 to 256), and writes AppIcon.cpp, which
# embeds the PNG files in the program. Run it again after changing the
# drawing; the outputs are kept in the repository.
set -euo pipefail
cd "$(dirname "$0")"

# A round fan (uchiwa): an indigo rim, paper with ribs, a red sun, and a
# bamboo handle.
convert -size 256x256 xc:none \
  -fill '#8a5a2b' -stroke '#5e3b17' -strokewidth 3 -draw 'roundrectangle 116,150 140,248 9,9' \
  -fill '#1f4e99' -stroke none -draw 'circle 128,98 128,6' \
  -fill '#f6eed7' -draw 'circle 128,98 128,18' \
  -stroke '#cdbd92' -strokewidth 3 \
  -draw 'line 128,176 128,20' -draw 'line 128,176 70,34' -draw 'line 128,176 186,34' \
  -draw 'line 128,176 48,76' -draw 'line 128,176 208,76' -draw 'line 128,176 52,128' \
  -draw 'line 128,176 204,128' \
  -stroke none -fill '#d7263d' -draw 'circle 128,92 128,56' \
  uchiwake-256.png

for size in 16 24 32 48 64 128; do
  convert uchiwake-256.png -filter Lanczos -resize ${size}x${size} -strip uchiwake-${size}.png
done
optimise() { convert "$1" -strip -depth 8 -define png:compression-level=9 "PNG32:$1"; }
for size in 16 24 32 48 64 128 256; do optimise uchiwake-${size}.png; done

python3 - <<'PY'
sizes = [16, 24, 32, 48, 64, 128, 256]
out = ['// The application icon (group 128): seven PNG images drawn by',
       '// resources/icons/make_icons.sh, which writes this file.', '',
       '#include <iterator>', '',
       '#include "platform/ui/DialogTemplate.h"',
       '#include "resources/resource.h"', '',
       'namespace {', '']
for s in sizes:
    data = open(f'uchiwake-{s}.png', 'rb').read()
    out.append(f'const unsigned char kIcon{s}[] = {{')
    for i in range(0, len(data), 16):
        out.append('    ' + ', '.join(f'0x{b:02x}' for b in data[i:i + 16]) + ',')
    out.append('};')
    out.append('')
out.append('const uw::IconImage kImages[] = {')
for s in sizes:
    out.append(f'    {{{s}, kIcon{s}, sizeof(kIcon{s})}},')
out += ['};', '',
        'struct RegisterIcon {',
        '  RegisterIcon() { uw::RegisterApplicationIcon(IDR_MAINFRAME, kImages, std::size(kImages)); }',
        '} g_registerIcon;', '', '}  // namespace', '']
open('../AppIcon.cpp', 'w').write('\n'.join(out))
PY
