#!/usr/bin/env bash
# Fails when an #include runs against the layers. Each folder may include only
# itself and the folders before it in
#   core <- output <- command <- ui <- app
# and only ui/ and app/ may include Qt.
#   bash scripts/check_layers.sh [SOURCE_DIR]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

layers=(core output command ui app)
rank() {
    local i
    for i in "${!layers[@]}"; do [ "${layers[$i]}" = "$1" ] && { echo "$i"; return; }; done
    echo -1
}

broken=0
for folder in "${layers[@]}"; do
    [ -d "$folder" ] || continue
    own=$(rank "$folder")
    while IFS=: read -r file line text; do
        target=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]([^>"]*)[>"].*/\1/' <<<"$text")
        top=${target%%/*}
        if [ "$top" != "$target" ] && [ "$(rank "$top")" -gt "$own" ]; then
            echo "$file:$line: $folder/ includes $target from a later layer"
            broken=1
        fi
        if [ "$own" -lt "$(rank ui)" ] && [[ "$target" =~ ^(Q|qt|Qt) ]]; then
            echo "$file:$line: $folder/ includes the toolkit ($target)"
            broken=1
        fi
    done < <(grep -rn -E '^[[:space:]]*#[[:space:]]*include' "$folder" --include='*.h' --include='*.cpp' || true)
done

[ "$broken" -eq 0 ] && echo "layers: every include runs core <- output <- command <- ui <- app"
exit "$broken"
