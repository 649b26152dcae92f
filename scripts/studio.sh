#!/usr/bin/env bash
# Installs what is missing, builds, and opens Vellum Studio (on the demo scene unless a scene
# file or other arguments are given).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh default --target vellum-studio
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display found. Run it inside a desktop session, or take a picture of it with:" >&2
    echo "  QT_QPA_PLATFORM=offscreen build/studio/vellum-studio --screenshot studio.png" >&2
    exit 1
fi
exec build/studio/vellum-studio "$@"
