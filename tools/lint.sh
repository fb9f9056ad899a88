#!/usr/bin/env bash
# Static checks of the code.
#
# Usage: tools/lint.sh format [path ...]
#            clang-format conformance (.clang-format of the repository) of every
#            .cpp, .h and .inl file under the given paths, by default every code
#            folder of the repository. Lists each file that differs.
#        tools/lint.sh cppcheck [path ...]
#            cppcheck over the given paths, by default the program's sources,
#            with the accepted findings of tests/lint/cppcheck-suppressions.txt.
#            Lists every other finding.
# Environment: LINT_CACHE  cppcheck's build folder (speeds up later runs)
#              LINT_JOBS   cppcheck jobs (default 1)
# Exit status: 0 clean, 1 findings, 77 when the tool is not installed.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
mode=${1:-}
[[ $# -gt 0 ]] && shift
cd "$here"

# The code files under the given paths. Build folders are never code; the
# deliberately faulty samples of the lint tests are left out unless named.
code_files() {
    find "$@" \( -name 'build*' -o -path 'tests/lint/samples' \) -prune -o \
        -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.inl' \) -print | sort
}

case $mode in
format)
    command -v clang-format >/dev/null || { echo "clang-format is not installed"; exit 77; }
    paths=("$@")
    [[ ${#paths[@]} -eq 0 ]] && paths=(app bench comms editor framework fuzz graphics routing tests tools)
    bad=0
    count=0
    while IFS= read -r f; do
        count=$((count + 1))
        if ! clang-format --dry-run --Werror "$f" >/dev/null 2>&1; then
            echo "not formatted: $f"
            bad=$((bad + 1))
        fi
    done < <(if [[ $# -gt 0 ]]; then
        find "${paths[@]}" -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.inl' \) | sort
    else code_files "${paths[@]}"; fi)
    echo "$count files checked, $bad not formatted"
    [[ $count -gt 0 && $bad -eq 0 ]]
    ;;
cppcheck)
    command -v cppcheck >/dev/null || { echo "cppcheck is not installed"; exit 77; }
    paths=("$@")
    [[ ${#paths[@]} -eq 0 ]] && paths=(app comms editor framework fuzz graphics routing tools)
    includes=()
    for d in framework/core framework routing comms comms/ui graphics editor app; do
        includes+=(-I "$d")
    done
    cache=()
    if [[ -n ${LINT_CACHE:-} ]]; then
        mkdir -p "$LINT_CACHE"
        cache=(--cppcheck-build-dir="$LINT_CACHE")
    fi
    out=$(mktemp)
    trap 'rm -f "$out"' EXIT
    # System and toolkit headers are not checked (missingIncludeSystem); the
    # toolkit's macros are known through cppcheck's qt library.
    cppcheck --std=c++20 --language=c++ --library=qt \
        --enable=warning,performance,portability --inline-suppr --quiet \
        --suppress=missingIncludeSystem \
        --suppressions-list=tests/lint/cppcheck-suppressions.txt \
        --template='{file}:{line}: {severity} ({id}): {message}' \
        -j "${LINT_JOBS:-1}" "${cache[@]}" "${includes[@]}" "${paths[@]}" 2>"$out"
    if [[ -s $out ]]; then
        cat "$out"
        echo "$(wc -l <"$out") cppcheck findings"
        exit 1
    fi
    echo "cppcheck: no findings"
    ;;
*)
    sed -n '2,14p' "$0"
    exit 2
    ;;
esac
