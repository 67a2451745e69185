#!/usr/bin/env bash
# Installs what is missing and builds the program and its tests into build/.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
bash "$ROOT/scripts/setup.sh"
configure_and_build
