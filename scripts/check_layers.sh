#!/usr/bin/env bash
# Fails when an #include runs against the layers. Each folder may include only
# itself and the folders before it in
#   core <- output <- command <- design <- ui | win32 | web <- app
# where ui/ (Qt), win32/ (the Windows API) and web/ (the browser, through
# Emscripten) are front ends of equal standing that never include each other.
# Only ui/ and app/'s Qt main may include Qt; only win32/ and files named
# *_windows.cpp may include the Windows API; only web/ and files named
# *_web.cpp may include Emscripten's headers.
#   bash scripts/check_layers.sh [SOURCE_DIR]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

folders=(core output command design ui win32 web app)
rank() {
    case "$1" in
        core) echo 0 ;; output) echo 1 ;; command) echo 2 ;; design) echo 3 ;;
        ui | win32 | web) echo 4 ;; app) echo 5 ;; *) echo -1 ;;
    esac
}
windows_api='^(windows|winuser|wingdi|commctrl|oleacc|objbase|shlobj|knownfolders|io|fileapi|handleapi|synchapi)\.h$'

broken=0
for folder in "${folders[@]}"; do
    [ -d "$folder" ] || continue
    own=$(rank "$folder")
    while IFS=: read -r file line text; do
        target=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]([^>"]*)[>"].*/\1/' <<<"$text")
        top=${target%%/*}
        if [ "$top" != "$target" ] && [ "$(rank "$top")" -ge 0 ]; then
            if [ "$(rank "$top")" -gt "$own" ] || { [ "$(rank "$top")" -eq "$own" ] && [ "$top" != "$folder" ]; }; then
                echo "$file:$line: $folder/ includes $target from a later layer or another front end"
                broken=1
            fi
        fi
        if [[ "$target" =~ ^(Q|qt|Qt) ]] && [ "$folder" != ui ] && { [ "$folder" != app ] || [[ "$file" == *_windows.cpp || "$file" == *_web.cpp ]]; }; then
            echo "$file:$line: $folder/ includes Qt ($target)"
            broken=1
        fi
        if [[ "${target,,}" =~ $windows_api ]] && [ "$folder" != win32 ] && [[ "$file" != *_windows.cpp ]]; then
            echo "$file:$line: the Windows API ($target) outside win32/ and *_windows.cpp"
            broken=1
        fi
        if [[ "$target" == emscripten/* || "$target" == emscripten.h ]] && [ "$folder" != web ] && [[ "$file" != *_web.cpp ]]; then
            echo "$file:$line: Emscripten ($target) outside web/ and *_web.cpp"
            broken=1
        fi
    done < <(grep -rn -E '^[[:space:]]*#[[:space:]]*include' "$folder" --include='*.h' --include='*.cpp' || true)
done

[ "$broken" -eq 0 ] && echo "layers: every include runs core <- output <- command <- design <- ui | win32 | web <- app"
exit "$broken"
