#!/usr/bin/env bash
# Fails when a C++ source of the project differs from what the checked-in
# .clang-format makes of it; prints the files and the first lines of each
# difference. `scripts/check-format.sh --fix` formats them in place instead.
set -euo pipefail
cd "$(dirname "$0")/.."

CLANG_FORMAT="${CLANG_FORMAT:-clang-format}"
if ! command -v "$CLANG_FORMAT" >/dev/null 2>&1; then
  echo "check-format: $CLANG_FORMAT not found (scripts/install-deps.sh installs it)" >&2
  exit 1
fi

# Every C++ file of the tree that git knows or that is new and not ignored
# (outside a git checkout: every one under the source folders).
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files --cached --others --exclude-standard -- \
    '*.cpp' '*.h' | sort -u | while read -r f; do [ -f "$f" ] && echo "$f"; done)
else
  mapfile -t files < <(find src tests bench tools fuzz -name '*.cpp' -o -name '*.h' | sort)
fi

if [ "${1:-}" = "--fix" ]; then
  "$CLANG_FORMAT" -i "${files[@]}"
  exit 0
fi

bad=0
for f in "${files[@]}"; do
  if ! diff -q "$f" <("$CLANG_FORMAT" "$f") >/dev/null; then
    echo "not formatted: $f"
    diff -u "$f" <("$CLANG_FORMAT" "$f") | sed -n '3,12p'
    bad=$((bad + 1))
  fi
done
if [ "$bad" -ne 0 ]; then
  echo "$bad file(s) differ from .clang-format; run scripts/check-format.sh --fix" >&2
  exit 1
fi
echo "format: ${#files[@]} files match .clang-format"
