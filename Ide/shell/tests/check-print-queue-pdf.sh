#!/usr/bin/env bash
# Reads the PDF that vorn_print_queue_test printed through the private CUPS (pdftotext
# runs here, outside Wine): the header holds the file's name and "Printed on ", every
# line of the document comes once and in order, and page 3 ends with "Page 3".
# The report names the PDF, the file's name and its line count; without one there was
# no queue to print to, and the check is skipped (exit 77).
report=$1
if [ ! -s "$report" ]; then
  echo "skipped: no PDF to read (the print-queue test did not print: no private CUPS)"
  exit 77
fi
if ! command -v pdftotext >/dev/null; then
  echo "skipped: pdftotext is not installed"
  exit 77
fi
pdf=$(sed -n 1p "$report")
name=$(sed -n 2p "$report")
lines=$(sed -n 3p "$report")
text=$(pdftotext -layout "$pdf" - 2>&1) || { echo "pdftotext could not read $pdf: $text"; exit 1; }
status=0
first_page=$(awk 'BEGIN { RS = "\f" } NR == 1' <<<"$text")
grep -q "$name" <<<"$first_page" || { echo "the header lacks the file name $name"; status=1; }
grep -q "Printed on " <<<"$first_page" || { echo "the header lacks \"Printed on \""; status=1; }
expected=$(seq 1001 $((1000 + lines)) | sed 's/^/queue_line_/')
got=$(grep -o 'queue_line_[0-9]*' <<<"$text")
if [ "$got" != "$expected" ]; then
  echo "the lines are not all there once and in order:"
  diff <(echo "$expected") <(echo "$got") | head -n 10
  status=1
fi
page3=$(awk 'BEGIN { RS = "\f" } NR == 3' <<<"$text")
grep -q "Page 3" <<<"$page3" || { echo "page 3 does not read \"Page 3\""; status=1; }
[ $status -eq 0 ] && echo "the PDF holds the header, the $lines lines in order and \"Page 3\" on page 3"
rm -f "$pdf" "$report"
exit $status
