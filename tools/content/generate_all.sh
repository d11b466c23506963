#!/usr/bin/env bash
# Regenerates the whole demo content set under data/ (except Res/nn.xml, which the gesture
# trainer writes) and a contact sheet of every image at tools/content/out/contact_sheet.png.
# Needs Debian's python3-pil, fonts-dejavu-core and lame. Deterministic: run it twice, get the
# same bytes.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
data=$(cd "$here/../.." && pwd)/data
python=/usr/bin/python3

for need in lame "$python"; do
  command -v "$need" >/dev/null || { echo "generate_all: $need is missing (apt-get install lame python3-pil fonts-dejavu-core)" >&2; exit 1; }
done
"$python" -c "import PIL" 2>/dev/null || { echo "generate_all: python3-pil is missing" >&2; exit 1; }

cd "$here"
"$python" gen_art.py "$data" "$here/out/contact_sheet.png"
"$python" gen_audio.py "$data" "$here/out/music"
"$python" gen_data.py "$data"
echo "generate_all: done; look at $here/out/contact_sheet.png"
