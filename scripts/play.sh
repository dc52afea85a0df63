#!/usr/bin/env bash
# Sets up and builds Sorca if needed, then starts the game.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
exec build/sorca "$@"
