#!/usr/bin/env bash
# Proves that the external tools the tests and the docs' scripts call really work on this
# machine, and names the package to install when one does not. A tool that is merely present
# is not enough: libwmf without its fonts converts nothing with text in it.
#   bash scripts/tools.sh tests      the rows the test suite needs (scripts/test.sh runs this)
#   bash scripts/tools.sh docs       the rows the docs' screenshot scripts need
#   bash scripts/tools.sh NAME...    those rows; no argument: every row
# To add a tool: one row in the table and one check_NAME function that prints why it failed.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"

# name        | Debian packages that make it work | for   | why
tools_table="
libwmf        | libwmf-bin fonts-urw-base35       | tests | metafile tests render our .wmf files with libwmf
locales       | locales                           | tests | number tests run under de_DE, fr_FR and en_US
fonts         | fonts-dejavu-core                 | tests | rendering tests measure and draw text
manpages      | man-db groff-base                 | tests | manual page tests format our pages with man
desktop       | desktop-file-utils                | tests | packaging tests validate the desktop entry
svg           | librsvg2-bin                      | tests | packaging tests render the icon; picture tests our SVG
poppler       | poppler-utils                     | tests | picture tests render our PDF and read its text
pngread       | imagemagick                       | tests | picture tests decode our PNG with ImageMagick
debian        | dpkg-dev file lintian             | tests | packaging tests build and check the .deb
xvfb          | xvfb xauth                        | docs  | screenshots run the window on an X server
xdotool       | xdotool                           | docs  | screenshots drive the window
imagemagick   | imagemagick                       | docs  | screenshots capture the window
wm            | openbox wmctrl                    | docs  | screenshots maximise the window as a desktop does
"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# A placeable metafile of 100 x 100 units that writes "Ab" in Helvetica: libwmf must map the
# font to a file of its own to draw it.
write_tiny_metafile() {
  {
    printf '\xd7\xcd\xc6\x9a\x00\x00\x00\x00\x00\x00\x64\x00\x64\x00\xa0\x05\x00\x00\x00\x00\xb1\x52'
    printf '\x01\x00\x09\x00\x00\x03\x32\x00\x00\x00\x01\x00\x11\x00\x00\x00\x00\x00'
    printf '\x05\x00\x00\x00\x0b\x02\x00\x00\x00\x00\x05\x00\x00\x00\x0c\x02\x64\x00\x64\x00'
    printf '\x11\x00\x00\x00\xfb\x02\xec\xff\x00\x00\x00\x00\x00\x00\x90\x01'
    printf '\x00\x00\x00\x00\x00\x00\x00\x00Helvetica\x00'
    printf '\x04\x00\x00\x00\x2d\x01\x00\x00'
    printf '\x07\x00\x00\x00\x21\x05\x02\x00Ab\x32\x00\x0a\x00'
    printf '\x03\x00\x00\x00\x00\x00'
  } >"$1"
}

check_libwmf() {
  write_tiny_metafile "$work/tiny.wmf"
  local program out
  for program in wmf2svg wmf2gd wmf2eps; do
    command -v "$program" >/dev/null || { echo "$program not found"; return 1; }
  done
  local -A arguments=([wmf2gd]="--maxwidth=100 --maxheight=100 --maxsize" [wmf2eps]="")
  for program in wmf2gd wmf2eps; do
    # shellcheck disable=SC2086
    if ! out="$("$program" ${arguments[$program]} -o "$work/tiny.out" "$work/tiny.wmf" 2>&1)" \
       || grep -qiE "error|warning" <<<"$out"; then
      echo "$program could not convert a metafile with text: $(tr -d '%0-9' <<<"$out" | tr '\n' ' ')"
      return 1
    fi
  done
}

check_locales() {
  command -v localedef >/dev/null || { echo "localedef not found"; return 1; }
  local out
  out="$(bash "$here/locales.sh" "$work/locales" de_DE.UTF-8 2>&1)" || { echo "$out"; return 1; }
  out="$(LOCPATH="$work/locales" LC_ALL=de_DE.UTF-8 locale decimal_point 2>&1)"
  [ "$out" = "," ] || { echo "a generated de_DE.UTF-8 gives the decimal point \"$out\""; return 1; }
}

check_fonts() {
  [ -n "$(find /usr/share/fonts -name '*.ttf' -print -quit 2>/dev/null)" ] \
    || { echo "no TrueType font under /usr/share/fonts"; return 1; }
}

check_manpages() {
  printf '.TH CHECK 1\n.SH NAME\ncheck \\- a page\n' >"$work/check.1"
  local out
  out="$(man -P cat -l "$work/check.1" 2>&1)" && grep -q "a page" <<<"$out" \
    || { echo "man could not format a page: $out"; return 1; }
}

check_desktop() {
  printf '[Desktop Entry]\nType=Application\nName=Check\nExec=true\n' >"$work/check.desktop"
  local out
  out="$(desktop-file-validate "$work/check.desktop" 2>&1)" || { echo "desktop-file-validate: $out"; return 1; }
}

check_svg() {
  printf '<svg xmlns="http://www.w3.org/2000/svg" width="2" height="2"><rect width="2" height="2"/></svg>' \
    >"$work/check.svg"
  local out
  out="$(rsvg-convert -o "$work/check.png" "$work/check.svg" 2>&1)" || { echo "rsvg-convert: $out"; return 1; }
}

# A one-page PDF that writes "Ab" in Helvetica, with a cross-reference table that is right, so
# that poppler has nothing to repair and says nothing on standard error.
write_tiny_pdf() {
  local content="BT /F1 12 Tf 10 10 Td (Ab) Tj ET"
  local objects=(
    "<< /Type /Catalog /Pages 2 0 R >>"
    "<< /Type /Pages /Kids [3 0 R] /Count 1 >>"
    "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 60 30] /Contents 4 0 R /Resources << /Font << /F1 5 0 R >> >> >>"
    "<< /Length ${#content} >>
stream
$content
endstream"
    "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"
  )
  local pdf=$'%PDF-1.4\n' offsets=() i
  for i in "${!objects[@]}"; do
    offsets+=("${#pdf}")
    pdf+="$((i + 1)) 0 obj"$'\n'"${objects[$i]}"$'\nendobj\n'
  done
  local xref=${#pdf}
  pdf+="xref"$'\n'"0 $(( ${#objects[@]} + 1 ))"$'\n'"0000000000 65535 f "$'\n'
  for i in "${offsets[@]}"; do pdf+="$(printf '%010d' "$i") 00000 n "$'\n'; done
  pdf+="trailer"$'\n'"<< /Size $(( ${#objects[@]} + 1 )) /Root 1 0 R >>"$'\n'"startxref"$'\n'"$xref"$'\n%%EOF\n'
  printf '%s' "$pdf" >"$1"
}

check_poppler() {
  write_tiny_pdf "$work/tiny.pdf"
  local program out
  for program in pdftoppm pdftotext pdfinfo; do
    command -v "$program" >/dev/null || { echo "$program not found"; return 1; }
  done
  out="$(pdftotext "$work/tiny.pdf" - 2>&1)" && grep -q "Ab" <<<"$out" \
    || { echo "pdftotext could not read a page's text: $out"; return 1; }
  out="$(pdftoppm -r 72 -aa no -aaVector no -png -singlefile "$work/tiny.pdf" "$work/tiny" 2>&1)" \
    && [ -s "$work/tiny.png" ] && [ -z "$out" ] || { echo "pdftoppm could not render a page: $out"; return 1; }
}

check_pngread() {
  command -v convert >/dev/null || { echo "convert not found"; return 1; }
  local out
  out="$(convert -size 2x2 xc:red "$work/red.png" 2>&1 && convert "$work/red.png" -depth 8 "$work/red.ppm" 2>&1)" \
    && [ -s "$work/red.ppm" ] || { echo "convert could not decode a PNG: $out"; return 1; }
}

check_debian() {
  local program
  for program in dpkg-deb dpkg-shlibdeps file lintian; do
    command -v "$program" >/dev/null || { echo "$program not found"; return 1; }
  done
  lintian --version >/dev/null 2>&1 || { echo "lintian does not run"; return 1; }
}

check_xvfb() {
  command -v xvfb-run >/dev/null || { echo "xvfb-run not found"; return 1; }
  local out
  out="$(timeout 30 xvfb-run -a -s "-screen 0 320x200x24" true 2>&1)" \
    || { echo "Xvfb did not start: $out"; return 1; }
}

check_xdotool() {
  command -v xdotool >/dev/null || { echo "xdotool not found"; return 1; }
  xdotool --version >/dev/null 2>&1 || { echo "xdotool does not run"; return 1; }
}

check_imagemagick() {
  command -v import >/dev/null && command -v convert >/dev/null || { echo "import or convert not found"; return 1; }
  local out
  out="$(convert -size 2x2 xc:red "$work/red.png" 2>&1)" || { echo "convert failed: $out"; return 1; }
}

trim() { local s="$1"; s="${s#"${s%%[![:space:]]*}"}"; printf '%s' "${s%"${s##*[![:space:]]}"}"; }

check_wm() {
  command -v openbox >/dev/null && command -v wmctrl >/dev/null || { echo "openbox or wmctrl not found"; return 1; }
  openbox --version >/dev/null 2>&1 || { echo "openbox does not run"; return 1; }
}

wanted=("$@")
failed=0
while IFS='|' read -r name packages user purpose; do
  name="$(trim "$name")"
  user="$(trim "$user")"
  [ -z "$name" ] && continue
  if [ ${#wanted[@]} -gt 0 ] && [[ ! " ${wanted[*]} " == *" $name "* ]] && [[ ! " ${wanted[*]} " == *" $user "* ]]; then
    continue
  fi
  packages="$(trim "$packages")"
  if ! reason="$("check_$name" 2>&1)"; then
    echo "Missing tool: $name ($(trim "$purpose")): $reason" >&2
    echo "  install: apt-get install --no-install-recommends $packages   (scripts/deps.sh lists them)" >&2
    failed=1
  fi
done <<<"$tools_table"
for name in "${wanted[@]}"; do
  grep -qE "^$name +\||\| $name +\|" <<<"$tools_table" || { echo "tools.sh: no row for \"$name\"" >&2; failed=1; }
done
exit $failed
