#!/bin/bash
# The History chart's day and hour marks in the user's language: the marks' test run under
# Wine once with a German and once with a US-English locale, which Wine takes from LANG.
#   chart_marks_locale.sh <wine-run> <win_tests.exe>
# The locales are compiled into a folder of the test's own (LOCPATH), so the machine needs
# only glibc's locale sources. Exits 77 (skipped) where localedef or those sources are missing.
set -u
run=$1
tests=$2
locales=$(mktemp -d)
trap 'rm -rf "$locales"' EXIT
status=0
for case in "de_DE Di|14:00" "en_US Tue|2 PM"; do
    name=${case%% *}
    expected=${case#* }
    localedef -i "$name" -f UTF-8 "$locales/$name.UTF-8" 2>/dev/null || { echo "SKIPPED: no locale $name"; exit 77; }
    if LOCPATH=$locales LANG=$name.UTF-8 LC_ALL=$name.UTF-8 CORVANE_EXPECT_MARKS=$expected \
        "$run" "$tests" --gtest_filter=HistoryChartMarks.AreWrittenInTheUserLocale | tr -d '\r' | tee /dev/stderr |
        grep -q '^\[  PASSED  \] 1 test'; then
        echo "ok: $name writes $expected"
    else
        echo "FAILED: $name does not write $expected"
        status=1
    fi
done
exit $status
