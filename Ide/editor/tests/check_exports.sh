#!/usr/bin/env bash
# Hands the exports of export_corpus to the system's own readers of each format:
# qpdf and poppler for PDF, xmllint with the XHTML 1.0 Transitional DTD for XHTML and
# as a well-formedness check for XML, unrtf for RTF; and compares the text they
# extract with the document's.
#   check_exports.sh <emulator> <export_corpus.exe> <work folder>
set -uo pipefail
emulator=$(realpath "$1") corpus=$(realpath "$2") work=$3
export LC_ALL=C.UTF-8
catalog=/usr/share/xml/w3c-sgml-lib/schema/dtd/catalog.xml

failures=0 checks=0
pass() { checks=$((checks + 1)); }
fail() { checks=$((checks + 1)); failures=$((failures + 1)); echo "FAIL: $*"; }
need() { command -v "$1" >/dev/null || { echo "check_exports: $1 is missing (scripts/install-packages.sh installs it)"; exit 1; }; }
for tool in qpdf pdfinfo pdftotext pdffonts xmllint unrtf iconv expand perl; do need "$tool"; done
[ -f "$catalog" ] || { echo "check_exports: no XHTML DTD catalog at $catalog (w3c-sgml-lib)"; exit 1; }

rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1
"$emulator" "$corpus" . || { echo "FAIL: export_corpus"; exit 1; }

# Compares two files; shows where they part.
same() { # label expected actual
  if cmp -s "$2" "$3"; then pass; else fail "$1"; diff "$2" "$3" | head -n 10; fi
}

# The document as text: line ends LF, tabs expanded when a tab size is given, high
# bytes as UTF-8 (the ANSI code page is 1252 here). Control characters are kept,
# dropped, or shown as their pictures (U+2400 + n) as the third argument says.
document_text() { # tabsize|raw keep|drop|pictures
  local expand_cmd=(cat) controls
  [ "$1" = raw ] || expand_cmd=(expand -t "$1")
  case $2 in
    keep) controls='' ;;
    drop) controls='s/[\x00-\x08\x0b-\x1f]//g' ;;
    pictures) controls='s/([\x00-\x08\x0b-\x1f])/"\xe2\x90".chr(0x80 + ord($1))/ge' ;;
  esac
  perl -pe 's/\r\n/\n/g' sample.lua | LC_ALL=C "${expand_cmd[@]}" | iconv -f CP1252 -t UTF-8 | perl -pe "$controls"
}
words() { tr -s ' \t\n\f' '\n\n\n\n' | grep -v '^$'; }

# ---- PDF ----
for pdf in *.pdf; do
  out=$(qpdf --check "$pdf" 2>&1)
  if [ $? -eq 0 ] && grep -q 'No syntax or stream encoding errors' <<<"$out"; then pass; else fail "qpdf --check $pdf"; echo "$out" | head -n 5; fi
done

pages=$(pdfinfo empty.pdf | awk '/^Pages:/{print $2}')
[ "$pages" = 1 ] && pass || fail "empty.pdf has $pages pages"
[ -z "$(pdftotext empty.pdf - | tr -d '\f\n ')" ] && pass || fail "empty.pdf shows text"

for font in courier helvetica times; do
  grep -q 'Page size: *595 x 842 pts (A4)' <(pdfinfo "sample-$font-a4.pdf") && pass || fail "sample-$font-a4.pdf is not A4"
  grep -q 'Page size: *612 x 792 pts (letter)' <(pdfinfo "sample-$font-letter.pdf") && pass || fail "sample-$font-letter.pdf is not Letter"
done
# The document's 63 lines fit on two A4 pages (58 a page) and on two Letter pages.
for pdf in sample-*.pdf; do
  pages=$(pdfinfo "$pdf" | awk '/^Pages:/{print $2}')
  [ "$pages" = 2 ] && pass || fail "$pdf has $pages pages, expected 2"
done

declare -A faces=([courier]="Courier Courier-Bold Courier-Oblique Courier-BoldOblique"
                  [helvetica]="Helvetica Helvetica-Bold Helvetica-Oblique Helvetica-BoldOblique"
                  [times]="Times-Roman Times-Bold Times-Italic Times-BoldItalic")
for font in courier helvetica times; do
  listed=$(pdffonts "sample-$font-a4.pdf" | awk 'NR > 2 {print $1}' | sort | tr '\n' ' ')
  expected=$(tr ' ' '\n' <<<"${faces[$font]}" | sort | tr '\n' ' ')
  [ "$listed" = "$expected" ] && pass || fail "sample-$font-a4.pdf fonts: $listed"
done

# The text, word by word (control characters have no glyph and show nothing).
document_text 4 drop | words >expected-words.txt
for pdf in sample-*.pdf; do
  pdftotext -layout "$pdf" - | words >"${pdf%.pdf}-words.txt"
  same "text of $pdf" expected-words.txt "${pdf%.pdf}-words.txt"
done

# Wrapping: each font breaks the long line where its widths say, Courier after 75
# characters; no character is lost, parentheses and backslashes included.
squeeze() { tr -d ' \n\f'; }
declare -A wrapped_lines=([courier]=3 [helvetica]=3 [times]=2)
for font in courier helvetica times; do
  pdftotext "wrap-$font.pdf" - | grep -v '^\s*$' | sed 's/\f//' >"wrap-$font.txt"
  lines=$(wc -l <"wrap-$font.txt")
  [ "$lines" -eq "${wrapped_lines[$font]}" ] && pass || fail "wrap-$font.pdf has $lines lines, expected ${wrapped_lines[$font]}"
  same "wrapped $font text" <(squeeze <wrap.txt) <(squeeze <"wrap-$font.txt")
done
longest=$(awk '{ if (length($0) > n) n = length($0) } END { print n }' wrap-courier.txt)
[ "$longest" -eq 75 ] && pass || fail "the longest Courier line has $longest characters"
lengths=$(pdftotext wrap-w.pdf - | grep -v '^\s*$' | sed 's/\f//' | awk '{print length($0)}' | tr '\n' ' ')
[ "$lengths" = "47 47 6 " ] && pass || fail "Helvetica W lines are $lengths long"

# ---- XHTML ----
for html in *.html; do
  out=$(XML_CATALOG_FILES=$catalog xmllint --noout --valid --nonet "$html" 2>&1)
  [ $? -eq 0 ] && [ -z "$out" ] && pass || { fail "xmllint --valid $html"; echo "$out" | head -n 5; }
  # The body's text is the document's: blanks as &nbsp; are blanks, each line
  # behind the two characters of its fold markup when folding is on.
  # (xmllint ends its answer with a line end of its own.)
  XML_CATALOG_FILES=$catalog xmllint --nonet --loaddtd --noent --xpath 'string(//*[local-name()="body"])' "$html" \
    2>/dev/null | perl -pe 's/\xc2\xa0/ /g' | perl -0pe 's/\A\n//; s/\n\n\z//' >"$html.txt"
  if [[ $html == *-f1-* ]]; then perl -i -pe 's/^..//' "$html.txt"; fi
  if [[ $html == *-w0-t1-* ]]; then tabs=raw; else tabs=4; fi
  document_text $tabs pictures >"$html.expected"
  same "body text of $html" "$html.expected" "$html.txt"
  if [[ $html == *-p1.html ]]; then title='C:\Lua & Co\café <1>.lua'; else title='café <1>.lua'; fi
  got=$(XML_CATALOG_FILES=$catalog xmllint --nonet --xpath 'string(//*[local-name()="title"])' "$html" 2>/dev/null)
  [ "$got" = "$title" ] && pass || fail "title of $html is '$got'"
done

# ---- XML ----
for xml in *.xml; do
  out=$(xmllint --noout --nonet "$xml" 2>&1)
  [ $? -eq 0 ] && [ -z "$out" ] && pass || { fail "xmllint $xml"; echo "$out" | head -n 5; }
  got=$(xmllint --xpath 'string(/*/@filename)' "$xml" 2>/dev/null)
  [ "$got" = "it's \"café\" & <1>.lua" ] && pass || fail "filename of $xml is '$got'"
done

# ---- RTF ----
# unrtf shows runs of blanks as one and characters as the low byte of their code
# point (the euro sign's U+20AC as 0xAC): the text is compared line by line with
# blanks squeezed.
blanks() { perl -pe 's/[ \t]+/ /g; s/^ //; s/ $//'; }
unrtf --text sample.rtf 2>/dev/null | grep -av '^###' | sed '1,/^-----------------$/d' | blanks >sample-rtf.txt
perl -pe 's/\r\n/\n/g; s/\x80/\xac/g' sample.lua | blanks >rtf-expected.txt
same "text of sample.rtf" rtf-expected.txt sample-rtf.txt
echo "check_exports: $checks checks"
echo "$((checks - failures)) passed, $failures failed"
[ $failures -eq 0 ]
