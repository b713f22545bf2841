#!/usr/bin/env bash
# The manual page formats without a single warning and shows what a reader looks for.
set -euo pipefail
page=$1
warnings=$(LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z "$page" 2>&1)
if [[ -n "$warnings" ]]; then
  echo "groff warnings:"; echo "$warnings"; exit 1
fi
text=$(LC_ALL=C.UTF-8 MANWIDTH=100 man -l "$page" 2>&1 | col -bx | tr -s " ")
for expected in "detron-convert - convert dates between the civil and the Hebrew calendar" \
                "The Adar rule: in a leap year Adar means Adar I" "--switch DATE" "EXIT STATUS" "ט״ו ניסן ה׳תשפ״ד" "אדר א׳" \
                "Adar II (Adar 2, Adar Sheni, Adar Bet" "Av (Menachem Av)" "‘ ’ “ ”" "U+200F" "hebcal -d" \
                "write error: No space left on device" "-V, --version" "--holidays" "--after-sunset" \
                "Tish'a B'Av to Sunday" "Yahrzeit 1" "--events" "Parashat Tazria-Metzora" \
                "Molad Heshvan: Friday 16:05 and 14 parts" "יום ל״ג לעומר" "Shushan Purim stays on 15 Adar"; do
  if ! grep -qF -- "$expected" <<<"$text"; then
    echo "the page lacks: $expected"; echo "$text"; exit 1
  fi
done
