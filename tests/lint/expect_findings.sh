#!/usr/bin/env bash
# Runs a check that must fail with findings, and passes when it exits 1 and
# its output holds every given pattern (grep -E). Exit 77 (skip) passes through.
# Usage: expect_findings.sh "<command>" pattern...
set -uo pipefail
command=$1
shift
out=$(eval "$command" 2>&1)
rc=$?
echo "$out"
[[ $rc -eq 77 ]] && exit 77
if [[ $rc -ne 1 ]]; then
    echo "expected exit status 1, got $rc"
    exit 1
fi
missing=0
for p in "$@"; do
    if ! grep -qE -- "$p" <<<"$out"; then
        echo "not reported: $p"
        missing=1
    fi
done
exit $missing
