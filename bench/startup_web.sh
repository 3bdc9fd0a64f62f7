#!/usr/bin/env bash
# The page's size, start-up and calculation in headless Chromium, each beside
# a baseline from the same run (see startup_web.py).
#   bash bench/startup_web.sh [SITE_FOLDER] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
exec /usr/bin/python3 bench/startup_web.py "${1:-build/web/site}" "${2:-21}"
