#!/usr/bin/env bash
# Writes every output qelviewer-cli makes of the sample folder into OUT, so that two
# builds can be compared with `diff -r`: tables of all groups, each learner's summary,
# the statistics, every graph as PNG and both reports (as PDF text and page images).
# Usage: scripts/snapshot-outputs.sh BUILD_DIR OUT
# The outputs are in Japanese unless QEL_LANGUAGE says otherwise (QEL_LANGUAGE=en).
set -euo pipefail
export QEL_LANGUAGE="${QEL_LANGUAGE:-ja}"
build="$1"
out="$2"
cli="$build/tools/qelviewer-cli"
folder="$build/samples/RecordFolder"
export QT_QPA_PLATFORM=offscreen
rm -rf "$out"
mkdir -p "$out/summary" "$out/graph" "$out/report"

for g in 0 1 2; do
  "$cli" table "$folder" --group "$g" > "$out/table-$g.csv" || true
done
"$cli" stats "$folder" > "$out/stats.txt" || true

names=$(cd "$folder" && ls -- *_Qel?.dat | sed 's/_Qel.\.dat$//' | sort -u)
while IFS= read -r name; do
  "$cli" summary "$folder" "$name" > "$out/summary/$name.txt" || true
done <<< "$names"

for file in "$folder"/*_Qel?.dat; do
  base=$(basename "$file" .dat)
  for kind in practice time; do
    "$cli" graph "$folder" --file "$(basename "$file")" --kind "$kind" --size 802x500 \
      "$out/graph/$base-$kind.png" || true
  done
done
for g in 0 1 2; do
  for kind in steps runs; do
    "$cli" graph "$folder" --group "$g" --kind "$kind" --size 802x500 "$out/graph/group$g-$kind.png" || true
  done
done

"$cli" report "$folder" --personal "$out/report/personal.pdf" || true
for g in 0 1 2; do
  "$cli" report "$folder" --group "$g" "$out/report/group$g.pdf" || true
done
for pdf in "$out"/report/*.pdf; do
  pdftotext -layout "$pdf" "${pdf%.pdf}.txt"
  pdftoppm -r 50 -png "$pdf" "${pdf%.pdf}-page"
  rm "$pdf" # PDFs carry creation dates; their text and pages are compared instead
done
