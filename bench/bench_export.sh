#!/bin/bash
# How long "quorvane-cli export" takes per movie kind of the demo account,
# against the play time of the movies it renders (the target: no longer than
# the play time plus 10 s of start-up), and the peak memory of the command
# and of its largest child (the Flash player's renderer). Each figure is the
# median of 3 runs into a fresh folder.
#
#   bench/bench_export.sh BUILD_DIR
set -euo pipefail

build=$1
cli=$build/bin/quorvane-cli
work=$(mktemp -d "${TMPDIR:-/tmp}/quorvane-bench-export.XXXXXX")
trap 'rm -rf "$work"' EXIT
export XDG_DATA_HOME=$work/data XDG_CACHE_HOME=$work/cache XDG_CONFIG_HOME=$work/config
unset DISPLAY WAYLAND_DISPLAY

mapfile -t demo < <("$cli" demo)
prefix=${demo[0]} user=${demo[1]} passport=${demo[2]}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
printf '%-26s %6s %9s %9s %9s %11s\n' kind movies "play s" "export s" "ratio" "peak MB"
for kind in winks dynamic-display-pictures dynamic-backgrounds; do
    : >"$work/runs"
    for run in 1 2 3; do
        out=$work/out-$kind-$run
        /usr/bin/time -f "%e %M" -o "$work/one" "$cli" export --passport "$passport" \
            --wine-prefix "$prefix" --wine-user "$user" --type "$kind" --to "$out" >/dev/null
        cat "$work/one" >>"$work/runs"
    done
    read -r movies play < <(python3 - "$out/quorvane-export.json" <<'PY'
import json, sys
items = json.load(open(sys.argv[1]))["items"]
print(len(items), round(sum(i.get("frames", 0) / i["frameRate"] for i in items if i.get("frameRate")), 2))
PY
)
    seconds=$(cut -d' ' -f1 "$work/runs" | median)
    peak=$(cut -d' ' -f2 "$work/runs" | median)
    printf '%-26s %6s %9s %9s %9s %11s\n' "$kind" "$movies" "$play" "$seconds" \
        "$(awk -v a="$seconds" -v b="$play" 'BEGIN {printf "%.2f", a / b}')" \
        "$(awk -v k="$peak" 'BEGIN {printf "%.0f", k / 1024}')"
done
