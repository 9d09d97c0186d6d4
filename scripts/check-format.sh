#!/usr/bin/env bash
# Lists the C++ files that clang-format (package clang-format) would change
# and fails if there is one.
#   scripts/check-format.sh            every tracked C++ file
#   scripts/check-format.sh FILE...    just these
#   scripts/check-format.sh --changed  files changed since the last commit
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || { echo "clang-format is not installed" >&2; exit 2; }

if [ "${1:-}" = --changed ]; then
    mapfile -t files < <(git diff --name-only --diff-filter=d HEAD -- '*.cpp' '*.h')
elif [ $# -gt 0 ]; then
    files=("$@")
else
    mapfile -t files < <(git ls-files '*.cpp' '*.h')
fi

unformatted=0
for file in "${files[@]}"; do
    if ! clang-format --dry-run --Werror "$file" >/dev/null 2>&1; then
        echo "$file"
        unformatted=$((unformatted + 1))
    fi
done
echo "${#files[@]} files checked, $unformatted not formatted (clang-format -i FILE fixes one)"
[ "$unformatted" -eq 0 ]
