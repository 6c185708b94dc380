#!/usr/bin/env bash
# OpenWebSite asks the shell to "open" the address; under Wine that reaches
# the desktop's opener, here a fake xdg-open early in PATH that writes down
# what it was given.
set -euo pipefail
probe=$1 dir=$2
fake="$dir/fake-bin"
mkdir -p "$fake"
seen="$dir/xdg-open.args"
rm -f "$seen"
cat > "$fake/xdg-open" <<FAKE
#!/bin/sh
printf '%s\n' "\$*" >> '$seen'
FAKE
chmod +x "$fake/xdg-open"
PATH="$fake:$PATH" timeout 30 wine "$probe" web </dev/null
for _ in $(seq 100); do [ -s "$seen" ] && break; sleep 0.1; done
echo "xdg-open got: $(cat "$seen" 2>/dev/null)"
grep -qx 'http://www.dozewell.example/' "$seen"
