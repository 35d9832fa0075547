#!/usr/bin/env bash
# The house checks: clang-tidy and cppcheck over the program's sources (the
# Windows code too, seen through clang's Windows target) and the fuzz targets,
# and clang-format's layout over every C++ file. Any finding fails.
# "tools/checks/lint.sh format" applies the layout instead of checking it.
set -euo pipefail
cd "$(dirname "$0")/../.."
program=$(find app explorer i18n ui tray update -name '*.cpp' | sort)
fuzz=$(find tests/fuzz -name '*.cpp' | sort)
everything=$(find app explorer i18n ui tray update res tests bench tools \( -name '*.cpp' -o -name '*.h' \) | sort)

if [ "${1:-}" = format ]; then
  clang-format -i $everything
  exit 0
fi

status=0
echo "clang-format: the layout of $(echo "$everything" | wc -l) files"
clang-format --dry-run --Werror $everything || status=1

# compile_commands.json of both builds: the Windows one for the program, the
# native one for the fuzz targets.
cmake --preset clang-windows >/dev/null
cmake --preset fuzz >/dev/null
echo "clang-tidy: $(echo "$program" "$fuzz" | wc -w) files"
echo "$program" | xargs -P2 -n1 clang-tidy --quiet -p build/clang-windows 2>/dev/null || status=1
echo "$fuzz" | xargs -P2 -n1 clang-tidy --quiet -p build/fuzz 2>/dev/null || status=1

echo "cppcheck: $(echo "$program" "$fuzz" | wc -w) files"
cppcheck --quiet --error-exitcode=1 --inline-suppr -j2 --std=c++20 --platform=win64 --library=windows \
  --enable=warning,style,performance,portability -I. -Ibuild/clang-windows/generated \
  -DUNICODE -D_UNICODE -DNOMINMAX -D_WIN32 -D_WIN64 \
  --template='{file}:{line}:{column}: {severity}: {message} [{id}]' $program $fuzz || status=1

[ $status -eq 0 ] && echo "lint: no findings"
exit $status
