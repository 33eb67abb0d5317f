#!/bin/bash
# Drives varnel-gui on a virtual X server the way a user does, with keys
# and mouse clicks: opens a header through the file dialog, saves the XML
# and the HTML output, merges an edited XML file and saves again, previews
# the output, and checks the files on disk; then opens a header from the
# command line, drops files, follows a link in the rendered page and shows
# a saved help book. Screenshots go to OUT.
#
# usage: gui_e2e_test.sh VARNEL_GUI OUT
set -eu

EXE=$(realpath "$1")
OUT=$(realpath -m "$2")
WORK=$OUT/work
rm -rf "$OUT"
mkdir -p "$WORK/home" "$WORK/out"

APP_PID=
XVFB_PID=

fail() {
  echo "FAIL: $*" >&2
  [ -n "${DISPLAY:-}" ] && import -window root "$OUT/failure.png" 2>/dev/null
  exit 1
}

cleanup() {
  [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  wait 2>/dev/null
}
trap cleanup EXIT

for tool in Xvfb xdotool import; do
  command -v "$tool" >/dev/null ||
    fail "$tool is missing; scripts/install-deps.sh installs it"
done

# --- The X server, on the first free display ----------------------------------
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
  3>"$WORK/display" 2>"$WORK/xvfb.log" &
XVFB_PID=$!
for _ in $(seq 50); do
  [ -s "$WORK/display" ] && break
  sleep 0.1
done
[ -s "$WORK/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -1 "$WORK/display")"
export HOME=$WORK/home GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1
cd "$WORK" || exit 1

# --- Helpers ------------------------------------------------------------------
# The id of the first visible window whose title matches; waits for it.
wait_window() {
  local id
  id=$(timeout "${2:-20}" xdotool search --sync --onlyvisible --name "$1" \
         2>/dev/null | head -1)
  [ -n "$id" ] || fail "no window titled '$1'"
  echo "$id"
}

window_exists() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }

wait_closed() {
  for _ in $(seq 100); do
    window_exists "$1" || return 0
    sleep 0.1
  done
  fail "window '$1' did not close"
}

# Without a window manager nobody gives the focus back when a dialog
# closes, so every key goes to a window focused first.
focus() {
  for _ in $(seq 20); do
    timeout 5 xdotool windowfocus --sync "$1" 2>/dev/null &&
      [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ] && return 0
    sleep 0.2
  done
  fail "cannot focus window $1"
}

keys() {
  local id=$1
  shift
  focus "$id"
  xdotool key --clearmodifiers --delay 80 "$@"
  sleep 0.3
}

type_text() {
  focus "$1"
  xdotool type --clearmodifiers --delay 10 "$2"
  sleep 0.2
}

# Windows overlap without a window manager: the clicked one goes on top.
click() {
  xdotool windowraise "$1"
  focus "$1"
  xdotool mousemove --window "$1" "$2" "$3" click 1
  sleep 0.6
}

shot() { import -window "$1" "$OUT/$2" || fail "no screenshot $2"; }

# The GTK file chooser: Ctrl+L opens the location field of an open dialog;
# a save dialog has its name field focused.
open_in_dialog() {
  local dialog
  dialog=$(wait_window "$1")
  keys "$dialog" ctrl+l
  type_text "$dialog" "$2"
  keys "$dialog" Return
  wait_closed "$1"
}

unnamed_windows() {
  xdotool search --onlyvisible --name '^$' 2>/dev/null | sort || true
}

# save_in_dialog TITLE TARGET [suggested]: types TARGET into the name field,
# or with "suggested" keeps the name the dialog offers, which must be
# TARGET. Saving over a file asks first, in a new window without a title;
# Return answers "Replace".
save_in_dialog() {
  local dialog before question exists=no
  [ -e "$2" ] && exists=yes
  dialog=$(wait_window "$1")
  if [ "${3:-}" != suggested ]; then
    keys "$dialog" ctrl+a
    type_text "$dialog" "$2"
  fi
  before=$(unnamed_windows)
  touch "$WORK/.before-save"
  keys "$dialog" Return
  for _ in $(seq 100); do
    if ! window_exists "$1"; then
      [ "$exists" = no ] && return 0
      fail "'$1' replaced $2 without asking"
    fi
    question=$(comm -13 <(echo "$before") <(unnamed_windows) | tail -1)
    if [ -n "$question" ] && [ "$exists" = yes ]; then
      keys "$question" Return
      wait_closed "$1"
      return 0
    fi
    sleep 0.1
  done
  fail "'$1' stays open"
}

# The dialog closes before the program writes: waits until FILE is newer
# than the last save_in_dialog's Return.
wait_written() {
  for _ in $(seq 100); do
    [ "$1" -nt "$WORK/.before-save" ] && return 0
    sleep 0.1
  done
  fail "${2:-nothing wrote $1}"
}

no_window_within() {
  sleep "$2"
  window_exists "$1" && fail "window '$1' appeared"
  return 0
}

start_app() {
  "$EXE" "$@" >>"$OUT/app.log" 2>&1 &
  APP_PID=$!
}

wait_exit() {
  for _ in $(seq 100); do
    kill -0 "$APP_PID" 2>/dev/null || { APP_PID=; return 0; }
    sleep 0.1
  done
  fail "the program did not end"
}

# The File menu opened with a click on its title, then an entry chosen
# with the arrow keys. An open menu is a window named after the program.
file_menu() {
  local tries
  for tries in 1 2 3; do
    click "$1" 18 12
    timeout 3 xdotool search --sync --onlyvisible --name '^varnel-gui$' \
      >/dev/null 2>&1 && break
    [ "$tries" = 3 ] && fail "the File menu does not open"
  done
  xdotool key --delay 80 "${@:2}" Return
  sleep 0.5
}

# Every line, the last one too, ends in CR LF.
has_crlf_lines() {
  [ -s "$1" ] && ! grep -qv $'\r$' "$1" &&
    [ "$(tail -c 1 "$1" | od -An -tx1 | tr -d ' ')" = 0a ]
}

expect_in() { grep -qF -- "$2" "$1" || fail "$1 lacks: $2"; }
expect_not_in() { grep -qF -- "$2" "$1" && fail "$1 still has: $2"; return 0; }

# --- Input --------------------------------------------------------------------
cat >"$WORK/Shape.h" <<'EOF'
// Shape.h: shapes for the windowed program's test.
#include <string>

extern int g_nShapes;

class EXPORT_API CShape
{
public:
  CShape();
  virtual void Draw(int nScale);
protected:
  int m_nWidth;
private:
  int m_nSecret;
};
EOF

# --- 1. Start without a settings file -----------------------------------------
start_app
MAIN=$(wait_window '^Untitled - C\+\+ Varnel$')
MESSAGE=$(wait_window '^Varnel$')
shot root gui-missing-ini.png
keys "$MESSAGE" Return
wait_closed '^Varnel$'
shot "$MAIN" gui-form-start.png

# Nothing is parsed yet: Read XML File is disabled, its key does nothing.
keys "$MAIN" ctrl+r
no_window_within '^Open$' 1.5

# "Reload INI-file" is last in the tab order: Shift+Tab from the header
# field reaches it.
printf '[Macroes]\r\nEXPORT_API\r\n[NotReturns]\r\nvirtual\r\n' \
  >"$WORK/varnel-gui.INI"
keys "$MAIN" shift+Tab space Tab
no_window_within '^Varnel$' 1

# --- 2. Open the header, save both outputs ------------------------------------
keys "$MAIN" ctrl+o
open_in_dialog '^Open$' "$WORK/Shape.h"
shot "$MAIN" gui-form.png

keys "$MAIN" ctrl+x
save_in_dialog '^Save as XML File$' "$WORK/out/Shape.xml"
XML=$WORK/out/Shape.xml
wait_written "$XML" "Save XML File wrote nothing"
has_crlf_lines "$XML" || fail "$XML: not every line ends in CR LF"
expect_in "$XML" '<Module.Title>Shape</Module.Title>'
expect_in "$XML" '<Header>CShape</Header>'
expect_not_in "$XML" 'EXPORT_API'
expect_in "$XML" 'Here should be a description of the class.'

# Save As HTML File through the menu: a click on "File", the fifth entry.
file_menu "$MAIN" Down Down Down Down Down
save_in_dialog '^Save as HTML File$' "$WORK/out/Shape.htm"
HTML=$WORK/out/Shape.htm
wait_written "$HTML" "Save As HTML File wrote nothing"
has_crlf_lines "$HTML" || fail "$HTML: not every line ends in CR LF"
expect_in "$HTML" 'm_nSecret'

# --- 3. The XML round trip ----------------------------------------------------
OLD='Here should be a description of the class\.'
sed -i "s/$OLD/Draws itself on a canvas./" "$XML"
keys "$MAIN" ctrl+r
open_in_dialog '^Open$' "$XML"

keys "$MAIN" ctrl+x
save_in_dialog '^Save as XML File$' "$XML" suggested
wait_written "$XML"
has_crlf_lines "$XML" || fail "$XML: lines without CR LF after the merge"
expect_in "$XML" 'Draws itself on a canvas.'
expect_not_in "$XML" 'Here should be a description of the class.'

# The header's "Locate..." runs Open Header File.
keys "$MAIN" Tab space
DIALOG=$(wait_window '^Open$')
keys "$DIALOG" Escape
wait_closed '^Open$'

# The HTML "Locate..." only names the file the next save suggests.
mkdir -p "$WORK/out2"
keys "$MAIN" Tab Tab space
save_in_dialog '^Save As$' "$WORK/out2/Doc.htm"
[ -e "$WORK/out2/Doc.htm" ] && fail "Locate... wrote a file"

# "only public": three tabs on, the member group.
keys "$MAIN" Tab Tab Tab Down Down
shot "$MAIN" gui-form-only-public.png
keys "$MAIN" ctrl+h
HTML=$WORK/out2/Doc.htm
save_in_dialog '^Save as HTML File$' "$HTML" suggested
wait_written "$HTML" "Save As HTML File did not suggest the located file"
has_crlf_lines "$HTML" || fail "$HTML: not every line ends in CR LF"
expect_in "$HTML" 'Draws itself on a canvas.'
expect_not_in "$HTML" 'm_nSecret'
expect_not_in "$HTML" 'm_nWidth'

# --- 4. Previews --------------------------------------------------------------
keys "$MAIN" ctrl+w
PREVIEW=$(wait_window '^Print Preview$')
sleep 1
shot "$PREVIEW" gui-preview-html.png
keys "$PREVIEW" Escape
wait_closed '^Print Preview$'

keys "$MAIN" ctrl+s
PREVIEW=$(wait_window '^Print Preview$')
sleep 1
shot "$PREVIEW" gui-preview-xml.png
keys "$PREVIEW" Escape
wait_closed '^Print Preview$'

# Ctrl+P prints the output last shown through the print dialog; here to
# the file printer, which writes output.pdf into the current folder or
# the home folder.
keys "$MAIN" ctrl+p
PRINT=$(wait_window '^Print$')
# The printer list fills in after the dialog shows; until a printer is
# chosen, Return does nothing.
for attempt in 1 2 3 4 5; do
  sleep 1
  keys "$PRINT" Down Return
  for _ in $(seq 30); do
    window_exists '^Print$' || break 2
    sleep 0.1
  done
  [ "$attempt" = 5 ] && fail "the print dialog does not print"
done
PDF=
for _ in $(seq 50); do
  PDF=$(ls "$WORK/output.pdf" "$HOME/output.pdf" 2>/dev/null | head -1) || true
  [ -n "$PDF" ] && [ -s "$PDF" ] && break
  sleep 0.2
done
[ -n "$PDF" ] || fail "printing wrote no file"
PAGES=$(grep -ao '/Count [0-9]*' "$PDF" | head -1 | cut -d' ' -f2)
[ "${PAGES:-0}" -ge 1 ] || fail "printing wrote no pages"

# --- 5. About and help --------------------------------------------------------
file_menu "$MAIN" Right Right Up
ABOUT=$(wait_window '^About Varnel$')
shot "$ABOUT" gui-about.png
keys "$ABOUT" Return
wait_closed '^About Varnel$'

keys "$MAIN" F1
HELP=$(wait_window '^Varnel Help')
sleep 1
shot "$HELP" gui-help.png

# --- 6. Exit never asks -------------------------------------------------------
file_menu "$MAIN" Up
wait_exit

# --- 7. A document named on the command line joins the recent files -----------
start_app "$WORK/Shape.h"
MAIN=$(wait_window '^Shape\.h - C\+\+ Varnel$')
keys "$MAIN" ctrl+n
wait_window '^Untitled - C\+\+ Varnel$' >/dev/null
file_menu "$MAIN" Up Up
wait_window '^Shape\.h - C\+\+ Varnel$' >/dev/null
file_menu "$MAIN" Up
wait_exit
expect_in "$HOME/.Varnel" "$WORK/Shape.h"

# A document that cannot be read ends the program before any window shows.
start_app "$WORK/missing.h"
MESSAGE=$(wait_window '^Varnel$')
window_exists 'C\+\+ Varnel' && fail "a window shows for a missing document"
keys "$MESSAGE" Return
wait_exit

# --- 8. A header on the command line is opened and parsed ---------------------
# Relative, after the settings file: EXPORT_API must be gone from the XML.
start_app Shape.h
MAIN=$(wait_window '^Shape\.h - C\+\+ Varnel$')
shot "$MAIN" gui-cmdline-header.png
keys "$MAIN" ctrl+x
XML=$WORK/Shape.xml
save_in_dialog '^Save as XML File$' "$XML" suggested
wait_written "$XML" "the header from the command line gave no XML"
expect_in "$XML" '<Header>CShape</Header>'
expect_not_in "$XML" 'EXPORT_API'
file_menu "$MAIN" Up
wait_exit

# --- 9. Dropped files ---------------------------------------------------------
# --drop takes a file through the handler of a real drop, which a display
# without a window manager cannot make. Before a parse an XML file is
# refused with a message.
sed -i "s/$OLD/Drawn by drop./" "$XML"
start_app --drop "$XML"
MAIN=$(wait_window '^Untitled - C\+\+ Varnel$')
MESSAGE=$(wait_window '^Varnel$')
shot root gui-drop-xml-first.png
keys "$MESSAGE" Return
wait_closed '^Varnel$'
file_menu "$MAIN" Up
wait_exit

start_app --drop "$WORK/Shape.h" --drop "$XML"
MAIN=$(wait_window '^Shape\.h - C\+\+ Varnel$')
shot "$MAIN" gui-drop.png
mkdir -p "$WORK/out3"
keys "$MAIN" ctrl+x
save_in_dialog '^Save as XML File$' "$WORK/out3/Shape.xml"
wait_written "$WORK/out3/Shape.xml"
expect_in "$WORK/out3/Shape.xml" 'Drawn by drop.'

# --- 10. Page Preview: the rendered page, and a link followed in it -----------
keys "$MAIN" ctrl+shift+w
PAGE=$(wait_window '^Page Preview')
# Links are blue: the lowest one in sight leads furthest down the page.
LINK=
for _ in $(seq 30); do
  sleep 0.2
  shot "$PAGE" gui-page-preview.png
  LINK=$(convert "$OUT/gui-page-preview.png" txt:- |
           grep -i '#0000FF' | tail -1 | cut -d: -f1)
  [ -n "$LINK" ] && break
done
[ -n "$LINK" ] || fail "Page Preview shows no link"
click "$PAGE" "${LINK%,*}" "$(( ${LINK#*,} - 4 ))"
shot "$PAGE" gui-page-preview-link.png
convert "$OUT/gui-page-preview.png" -crop 600x300+0+0 +repage "$WORK/top1.png"
convert "$OUT/gui-page-preview-link.png" -crop 600x300+0+0 +repage \
  "$WORK/top2.png"
MOVED=$(compare -metric AE "$WORK/top1.png" "$WORK/top2.png" null: 2>&1 ||
          true)
[ "${MOVED%% *}" -gt 1000 ] 2>/dev/null ||
  fail "the link did not move the page ($MOVED pixels differ)"
keys "$PAGE" Escape
wait_closed '^Page Preview'

# --- 11. A saved help book in the help viewer ----------------------------------
mkdir -p "$WORK/book"
file_menu "$MAIN" Down Down Down Down Down Down
open_in_dialog '^Save Help Book$' "$WORK/book/"
MESSAGE=$(wait_window '^Varnel$')
keys "$MESSAGE" Return
wait_closed '^Varnel$'
[ -f "$WORK/book/Shape.hhp" ] || fail "Save Help Book wrote no project"
grep -qrF 'Drawn by drop.' "$WORK/book" || fail "the book lacks the merge"
file_menu "$MAIN" Right Right Down Down
BOOK=$(wait_window '^Varnel Help')
sleep 1
# The book's entry opens to its module, the module to its pages.
click "$BOOK" 18 147
click "$BOOK" 33 170
shot "$BOOK" gui-help-book.png
# A page shown as its markup has no blue links.
convert "$OUT/gui-help-book.png" txt:- | grep -qi '#0000FF' ||
  fail "the help viewer shows the page as text"

echo "gui_e2e: all steps passed; screenshots in $OUT"
