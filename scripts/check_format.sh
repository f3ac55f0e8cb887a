#!/usr/bin/env bash
# Checks that every tracked .cpp and .h file is formatted with the project's .clang-format;
# prints each file that is not and fails. `clang-format -i <file>` mends one.
set -euo pipefail
cd "$(dirname "$0")/.."
format=$(command -v clang-format-14 || command -v clang-format || true)
[ -n "$format" ] || { echo "needs clang-format (scripts/deps.sh installs it)"; exit 2; }
failed=0
while IFS= read -r -d '' file; do
  "$format" --dry-run --Werror "$file" >/dev/null 2>&1 || { echo "not formatted: $file"; failed=1; }
done < <(git ls-files -z -- '*.cpp' '*.h')
exit "$failed"
