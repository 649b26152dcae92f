#!/usr/bin/env bash
# Installs what is missing, builds everything, and runs every test; the farm's tests render on
# a one-node cluster of this machine, started for them.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh default
scripts/local-slurm.sh run ctest --preset default
