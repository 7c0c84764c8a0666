#!/usr/bin/env bash
# make demo: the program's one job on the shipped examples. A chain of
# vertical dimensions is started from nothing (four picked points, no
# settings file), continued above, then below, and a point inside the chain
# is refused. Then the two sides of a plan: a chain is started on the right,
# and the left one, picked in the drawing, is continued again. Then the
# plan's other direction: a chain of horizontal dimensions is started along
# its bottom, continued to the right, and picked again in the drawing. Last,
# whole sessions clicked out through the launchers, with a double of the
# host, the last one on a plan the host drew, its chains picked by one
# click on their dimension lines. Everything runs in a scratch folder; the example stays as it is.
# Each run is also drawn as a picture (orvane-preview), kept in the build
# folder.
set -euo pipefail
cd "$(dirname "$0")/.."

build="${1:-build}"
program="$build/frontends/headless/orvane-headless"
start="examples/start_chain"
example="examples/continue_chain"
preview="$build/orvane-preview"
host_double="$build/orvane-host-double"
pictures="$build/demo-pictures"
for tool in "$program" "$preview" "$host_double"; do
  if [ ! -x "$tool" ]; then
    echo "demo: $tool is missing; run 'make demo' (it builds first)" >&2
    exit 1
  fi
done
mkdir -p "$pictures"

work="$(mktemp -d "${TMPDIR:-/tmp}/orvane-demo.XXXXXX")"
trap 'rm -rf "$work"' EXIT
cp "$start/JWC_TEMP.TXT" "$work/"
host_input="$work/host-input.txt"
cp "$example/JWC_TEMP.TXT" "$host_input"

say() { printf '%s\n' "$@"; }
heading() { printf '\n== %s\n\n' "$1"; }

# Shift-JIS with CR LF, as the host and the program write it, shown as UTF-8.
utf8() { iconv -f CP932 -t UTF-8 "$1" | tr -d '\r'; }

# The command lines the program wrote back, each after what it tells the
# host. Line segments are named by their place in the fixed order: extension
# lines, the dimension line, (value), the leader, the underline, then the
# start mark and, after a doubled "z3", the end mark.
explain_output() {
  local lower="lower end" upper="upper end"
  if [ "${2:-}" = horizontal ]; then lower="left end" upper="right end"; fi
  utf8 "$1" | awk -v lower="$lower" -v upper="$upper" '
    { line[NR] = $0 }
    END {
      value = 0
      for (i = 1; i <= NR; i++) if (line[i] ~ /^cs /) value = i
      dimline = 0
      for (i = 1; i < value; i++) if (split(line[i], f, " ") == 4) dimline = i
      after = 0; mark = "start mark (" lower ")"
      for (i = 1; i <= NR; i++) {
        l = line[i]; n = split(l, f, " ")
        if (l == "hq")              what = "nothing to draw"
        else if (l == "hr")         what = "then: this launcher again"
        else if (l ~ /^h\//)        what = "then: launcher " substr(l, 3)
        else if (l ~ /^lg/)         what = "layer group " substr(l, 3)
        else if (l ~ /^ly/)         what = "layer " substr(l, 3)
        else if (l ~ /^lc/)         what = "line colour " substr(l, 3)
        else if (l ~ /^pn/)         what = "point colour " substr(l, 3)
        else if (l ~ /^lt/)         what = "line type " substr(l, 3)
        else if (l ~ /^lw/)         what = "line width " substr(l, 3)
        else if (l ~ /^cn"\$/)      what = "font"
        else if (l ~ /^cn/)         what = "text style " substr(l, 3)
        else if (l ~ /^cc/)         what = "text code " substr(l, 3)
        else if (l == "z3") {
          what = "flag: part of a dimension"
          if (after >= 2 && line[i + 1] == "z3") mark = "end mark (" upper ")"
        }
        else if (l ~ /^cs /)        what = "value text"
        else if (l ~ /^pt /)        what = mark ": point marker " f[6]
        else if (n == 4) {
          if (i < dimline)          what = "extension line"
          else if (i == dimline)    what = "dimension line"
          else if (++after == 1)    what = "leader to the value"
          else if (after == 2)      what = "underline of the value"
          else                      what = mark ": line"
        }
        else                        what = ""
        printf "  %-32s %s\n", what, l
      }
    }'
}

# Lines 23-31 of the settings file: where the chain stands now.
show_chain() {
  local lower="lower end  " upper="upper end  "
  if [ "${2:-}" = horizontal ]; then lower="left end   " upper="right end  "; fi
  utf8 "$1" | awk -v lower="$lower" -v upper="$upper" 'NR >= 23 && NR <= 31 { v[NR] = $0 } END {
    printf "  layer group %s, scale %s, axis angle %s\n", v[23], v[24], v[25]
    printf "  %s (%s, %s)\n", lower, v[26], v[27]
    printf "  %s (%s, %s)\n", upper, v[28], v[29]
    printf "  dimension line through (%s, %s)\n", v[30], v[31] }'
}

# A new host file: the example's, with other picked points.
host_picks() {
  utf8 "$host_input" | sed -e "s/^hp1 .*/hp1 $1/" -e "s/^hp2 .*/hp2 $2/" |
    iconv -f UTF-8 -t CP932 | sed 's/$/\r/' > "$work/JWC_TEMP.TXT"
}

# A new host file for a new chain: the start example's, with other points.
host_four() {
  utf8 "$start/JWC_TEMP.TXT" |
    sed -e "s/^hp1 .*/hp1 $1/" -e "s/^hp2 .*/hp2 $2/" -e "s/^hp3 .*/hp3 $3/" -e "s/^hp4 .*/hp4 $4/" |
    iconv -f UTF-8 -t CP932 | sed 's/$/\r/' > "$work/JWC_TEMP.TXT"
}

# Keeps what a run drew, as the drawing now holds it.
keep_drawn() { cp "$work/JWC_TEMP.TXT" "$work/drawn-$1.txt"; }

run() {
  # What the run starts from, for its picture.
  cp "$work/JWC_TEMP.TXT" "$work/host.before"
  rm -f "$work/chain.before"
  local stored="$work/vk38.dat"
  case " $* " in *" --horizontal "*) stored="$work/vk47h.dat" ;; esac
  [ -f "$stored" ] && cp "$stored" "$work/chain.before"
  say "  \$ orvane-headless ${*:+$* }<folder>      (presses OK)"
  "$program" "$@" "$work" | sed 's/^/  > /'
}

# The run as a picture: the host's file in grey with its picked points, the
# chain as it stood before the run in orange, the output in its own colours.
picture() {
  local chain=()
  if [ "${2:-}" = picked ]; then
    chain=(--picked)
  elif [ -f "$work/chain.before" ]; then
    chain=(--chain "$work/chain.before")
  fi
  [ "${3:-}" = horizontal ] && chain+=(--horizontal)
  "$preview" --before "$work/host.before" "${chain[@]}" \
    "$work/JWC_TEMP.TXT" "$pictures/$1.svg"
  say "" "Picture of this run: $pictures/$1.svg" \
    "(the host's file in grey with the picked points, the chain as it stood" \
    "in orange, what the program wrote in its own colours)"
}

heading "1. A new chain, from nothing"
say "The user starts the program with the launcher vk47_Orvane_new.bat. The" \
    "CAD program (the host) asks for four points and writes its state into" \
    "JWC_TEMP.TXT: the axis angle (hk), the scales of the layer groups (hs;" \
    "group 2, the current one, is 1:50), the text styles, its current" \
    "attributes and the picked points: hp1 and hp2 the two measured points," \
    "hp3 a point on the dimension line, hp4 where the value goes." ""
utf8 "$work/JWC_TEMP.TXT" | sed 's/^/  /'
say "" "There is no vk38.dat yet: the dialog shows its defaults. The user sets" \
    "no decimals and thousands commas, and presses OK. The first dimension" \
    "runs from (0, 0) to (0, 3000) on the dimension line through" \
    "(-1500, 1000): both its extension lines, the dimension line, the value" \
    "\"3,000\", its leader and underline, and two arrows:" ""
run --new --set Precision=0 --set ThousandsCommas=1
keep_drawn 1
say "" "(The \">\" lines are what the user would have seen: the notice pane" \
    "telling what OK will draw, again after each change of a setting, the" \
    "status strip's two texts, then the dialog closing, which writes" \
    "JWC_TEMP.TXT.)" ""
explain_output "$work/JWC_TEMP.TXT"
say "" "vk38.dat now holds the settings and the chain, lower end first:" ""
show_chain "$work/vk38.dat"
picture 1-new

heading "2. OK: the chain is continued above"
say "The next run uses the usual launcher vk47_Orvane.bat: the host hands" \
    "over two points, the new measured point (hp1) and the value position (hp2):" ""
cp "$example/JWC_TEMP.TXT" "$work/JWC_TEMP.TXT"
cp "$example/JWC_TEMP.TXT" "$host_input"
utf8 "$work/JWC_TEMP.TXT" | grep '^hp' | sed 's/^/  /'
say "" "The new point (2000, 5500) lies above the chain, so the new dimension runs" \
    "from the upper end (0, 3000) to it, along the same dimension line: 2500" \
    "long, written \"2,500\" (no decimals, thousands comma). Paper sizes are" \
    "multiplied by the scale 50: arrows of 3 mm become 150 units." ""
run
keep_drawn 2
say "" "JWC_TEMP.TXT now holds the commands the host draws: its own attributes," \
    "the extension line at the new point (the old end already has one), the" \
    "dimension line, the value, its leader and underline, and two arrows:" ""
explain_output "$work/JWC_TEMP.TXT"
say "" "vk38.dat records the longer chain, lower end first:" ""
show_chain "$work/vk38.dat"
picture 2-above

heading "3. OK again: the chain is continued below"
say "The user picks (800, -1800), below the chain; the value goes to" \
    "(-2150, -1000). The new dimension runs from the point up to the lower" \
    "end (0, 0): 1800." ""
host_picks "800 -1800" "-2150 -1000"
run
keep_drawn 3
say ""
explain_output "$work/JWC_TEMP.TXT"
say "" "The chain now reaches from (800, -1800) to (2000, 5500):" ""
show_chain "$work/vk38.dat"
picture 3-below

heading "4. A point inside the chain is refused"
say "A point between the chain's ends, (300, 2500), cannot be dimensioned" \
    "outwards. The program says so and draws nothing:" ""
host_picks "300 2500" "-2150 2500"
cp "$work/vk38.dat" "$work/vk38.before"
run
say "" "JWC_TEMP.TXT:" ""
explain_output "$work/JWC_TEMP.TXT"
if cmp -s "$work/vk38.dat" "$work/vk38.before"; then
  say "" "vk38.dat is unchanged: the chain still ends at (800, -1800) and (2000, 5500)."
  picture 4-inside
else
  say "" "vk38.dat CHANGED, which it must not" >&2
  exit 1
fi

heading "5. The other side of the plan: a new chain on the right"
say "The user dimensions the right side of the plan: a new chain from" \
    "(9000, 0) to (9000, 3000), its dimension line through (10500, 1000)," \
    "the value at (10800, 1500) (vk47_Orvane_new.bat again):" ""
host_four "9000 0" "9000 3000" "10500 1000" "10800 1500"
run --new
picture 5-right
say "" "vk38.dat now remembers the right chain only:" ""
show_chain "$work/vk38.dat"

heading "6. Back to the left chain: picked in the drawing"
say "The usual launcher would continue the right chain. To go on with the" \
    "left one the user starts vk47_Orvane_pick.bat and range-selects the left" \
    "chain (the host writes the selected lines, with a \"z3\" line before each" \
    "that is part of a dimension), then picks the new point (0, 7000) above it" \
    "and the value position (-2150, 6500). The program finds the dimension" \
    "line by the extension lines at its points (not the value's underline," \
    "which runs along the axis too but has one at most), shows the chain it" \
    "found in the notice pane (where it lies, its length, and how many" \
    "dimension lines the range holds), and continues it:" ""
host_picks "0 7000" "-2150 6500"
cat "$work/drawn-1.txt" "$work/drawn-2.txt" "$work/drawn-3.txt" >> "$work/JWC_TEMP.TXT"
run --pick
say ""
explain_output "$work/JWC_TEMP.TXT"
say "" "vk38.dat holds the left chain again, from its lower end (taken where its" \
    "dimension line ends) to the new point; the usual launcher goes on from it:" ""
show_chain "$work/vk38.dat"
picture 6-left-again picked

heading "7. The other direction: a horizontal chain along the bottom"
say "Every plan is dimensioned in both directions. The user starts" \
    "vk47_Orvane_h_new.bat (the program started with /h /new, headless" \
    "--horizontal --new) and picks the two measured points (0, 0) and" \
    "(4000, 0), a point on the dimension line (1000, -1500) and the value" \
    "position (1500, -2150). A horizontal chain is built exactly as a vertical" \
    "one on the host's axes turned by 90 degrees: its dimension line runs along" \
    "the host's horizontal axis and its value reads left to right. Its" \
    "settings and chain live in vk47h.dat, apart from the vertical chain's" \
    "vk38.dat; there is none yet, so the dialog shows its defaults:" ""
host_four "0 0" "4000 0" "1000 -1500" "1500 -2150"
cp "$work/vk38.dat" "$work/vk38.vertical"
run --horizontal --new --set Precision=0 --set ThousandsCommas=1
keep_drawn 7
say ""
explain_output "$work/JWC_TEMP.TXT" horizontal
say "" "vk47h.dat now holds the horizontal chain, left end first (line 25 the" \
    "host's own axis angle):" ""
show_chain "$work/vk47h.dat" horizontal
picture 7-horizontal-new

heading "8. The horizontal chain continued to the right"
say "The answer handed over to vk47_Orvane_h.bat; the user clicks (8000, 0)" \
    "and the value position (5500, -2150). The point lies right of the chain:" ""
host_picks "8000 0" "5500 -2150"
run --horizontal
keep_drawn 8
say ""
explain_output "$work/JWC_TEMP.TXT" horizontal
say "" "vk47h.dat:" ""
show_chain "$work/vk47h.dat" horizontal
picture 8-horizontal-right "" horizontal
if cmp -s "$work/vk38.dat" "$work/vk38.vertical"; then
  say "" "vk38.dat is as the vertical runs left it: a horizontal run never reads or" \
      "writes it."
else
  say "" "vk38.dat CHANGED by a horizontal run, which it must not" >&2
  exit 1
fi

heading "9. The horizontal chain picked again in the drawing"
say "On another computer vk47h.dat is not there. The user starts" \
    "vk47_Orvane_h_pick.bat, range-selects the bottom chain and picks" \
    "(10000, 0) and the value position (9000, -2150): the chain is found" \
    "among everything selected (the vertical chain's lines too) and continued:" ""
rm -f "$work/vk47h.dat"
host_picks "10000 0" "9000 -2150"
cat "$work/drawn-1.txt" "$work/drawn-2.txt" "$work/drawn-3.txt" "$work/drawn-7.txt" \
  "$work/drawn-8.txt" >> "$work/JWC_TEMP.TXT"
run --horizontal --pick
say ""
explain_output "$work/JWC_TEMP.TXT" horizontal
picture 9-horizontal-picked picked horizontal

heading "10. A whole chain clicked out in one go"
say "The launchers ask for no range selection (REM #h0), and each answer that" \
    "drew tells the host how to go on: after a new chain's first dimension" \
    "\"h/vk47_Orvane.bat\" (go on with the usual launcher), after a" \
    "continuation \"hr\" (the same launcher again). So the user clicks," \
    "clicks, presses Enter, and again, and ends with Esc. A double of the host" \
    "(tests/support/hostdouble) plays such a session with the package's launchers" \
    "(tests/data/host_sessions/clicked_chain.session): a new chain, then" \
    "three continuations above and below, then Esc in the dialog:" ""
session_folder="$work/session"
mkdir -p "$session_folder/host"
for launcher in frontends/win32/package/*.bat; do
  launcher=$(basename "$launcher")
  iconv -f UTF-8 -t CP932 "frontends/win32/package/$launcher" | sed 's/$/\r/' \
    > "$session_folder/$launcher"
done
session_file="$PWD/tests/data/host_sessions/clicked_chain.session"
absolute() { case "$1" in /*) echo "$1" ;; *) echo "$PWD/$1" ;; esac; }
host_double_path=$(absolute "$host_double")
program_path=$(absolute "$program")
# Plays the session script SESSION with the host double in FOLDER (its
# launchers there, the drawing ended with in FOLDER/drawing.txt), the host
# options after it going before them; prints what happened. The host runs in
# its own folder; the launchers and the program lie in theirs.
play_session() {
  local folder="$1" session="$2"
  shift 2
  (cd "$folder/host" &&
    "$host_double_path" --headless "$program_path" "$@" "$folder" "$session" \
      "$folder/drawing.txt")
}
# FOLDER made for another session, with the launchers of section 10.
launchers_of_10_in() {
  mkdir -p "$1/host"
  cp "$session_folder"/*.bat "$1/"
}
play_session "$session_folder" "$session_file" | sed 's/^/  /'
"$preview" --chain "$session_folder/vk38.dat" "$session_folder/drawing.txt" \
  "$pictures/10-clicked-chain.svg"
say "" "The host's drawing after the session, four dimensions on one dimension" \
    "line: $pictures/10-clicked-chain.svg (the chain as stored in orange)."

heading "11. A plan dimensioned in both directions, clicked out"
say "The same with both directions, one command after the other" \
    "(tests/data/host_sessions/both_directions.session): a vertical chain up the" \
    "left side, started and continued; Esc at the next point prompt, and a" \
    "horizontal chain along the bottom with vk47_Orvane_h_new.bat, continued" \
    "through the hand-over to vk47_Orvane_h.bat; Esc, and the horizontal chain" \
    "range-selected with vk47_Orvane_h_pick.bat and continued once more:" ""
both_folder="$work/both"
both_session="$PWD/tests/data/host_sessions/both_directions.session"
launchers_of_10_in "$both_folder"
play_session "$both_folder" "$both_session" | sed 's/^/  /'
"$preview" "$both_folder/drawing.txt" "$pictures/11-both-directions.svg"
say "" "The host's drawing after the session: $pictures/11-both-directions.svg"

heading "12. A chain at the quick pace: the dialog once, then clicks alone"
say "The settings are chosen at the chain's first dimension; after it the" \
    "dialog adds nothing. vk47_Orvane_new_quick.bat shows the dialog for the" \
    "first dimension and hands over to vk47_Orvane_quick.bat, which shows no" \
    "window at all: OK at once on the stored settings. Its answer is \"hr\", the" \
    "lines OK draws and one \"h#\" line that the host shows as a notice; a" \
    "point it cannot take is answered with one \"he\" line, which the host shows" \
    "as an error, drawing nothing (tests/data/host_sessions/quick_chain.session:" \
    "the clicks of section 10, the last one inside the chain):" ""
quick_folder="$work/quick"
quick_session="$PWD/tests/data/host_sessions/quick_chain.session"
launchers_of_10_in "$quick_folder"
play_session "$quick_folder" "$quick_session" | sed 's/^/  /'
if cmp -s "$quick_folder/drawing.txt" "$session_folder/drawing.txt"; then
  say "" "The host's drawing is byte for byte the one of section 10: the same" \
      "chain, with Enter pressed once instead of four times."
else
  say "" "The host's drawing differs from the one of section 10."
  exit 1
fi

heading "13. Yesterday's plan: a chain picked by one click on its dimension line"
say "A plan whose dimensions the host's own dimension command drew (every" \
    "piece flagged \"z3\", dots on the measured points, values beside the" \
    "pieces): a vertical chain 3000 + 2500 on the left, a horizontal one" \
    "4000 + 4000 below. vk47_Orvane_click_quick.bat asks the host for the whole" \
    "drawing (REM #h4) and for a click on the dimension line (#1ln; the host" \
    "writes the point as hp1ln and tags the clicked line hhp1ln among the" \
    "drawing), then the new point and the value position. The program finds" \
    "the chain the clicked piece belongs to, shows it in the dialog's notice" \
    "pane (where it lies, its extent, how many dimension lines there are) and," \
    "after OK, hands over to vk47_Orvane_quick.bat: the chain goes on without" \
    "the dialog. The same for the horizontal chain with" \
    "vk47_Orvane_h_click_quick.bat. Last, a click on an extension line with" \
    "vk47_Orvane_click.bat is refused with what was clicked and what to click:" ""
plan_folder="$work/plan"
launchers_of_10_in "$plan_folder"
# The host's lines of the plan: extension line, dot, dimension line piece and
# value of each level, each flagged.
printf '%s\r\n' \
  z3 "-100 0 -1500 0" z3 "pt -1500 0" z3 "-1500 0 -1500 3000" z3 'cs -1550 1100 0 1 "3000' \
  z3 "-100 3000 -1500 3000" z3 "pt -1500 3000" z3 "-1500 3000 -1500 5500" \
  z3 'cs -1550 3850 0 1 "2500' z3 "-100 5500 -1500 5500" z3 "pt -1500 5500" \
  z3 "0 -100 0 -1500" z3 "pt 0 -1500" z3 "0 -1500 4000 -1500" z3 'cs 1600 -1450 1 0 "4000' \
  z3 "4000 -100 4000 -1500" z3 "pt 4000 -1500" z3 "4000 -1500 8000 -1500" \
  z3 'cs 5600 -1450 1 0 "4000' z3 "8000 -100 8000 -1500" z3 "pt 8000 -1500" \
  > "$plan_folder/yesterday.txt"
cat > "$plan_folder/clicks.session" <<'SESSION'
start vk47_Orvane_click_quick.bat
ok -1500 4000  0 7000  -2150 6500
ok 0 9000  -2150 8000
stop
start vk47_Orvane_h_click_quick.bat
ok 2000 -1500  10000 0  9000 -2150
ok 12000 0  11000 -2150
stop
start vk47_Orvane_click.bat
ok -800 5500  0 12000  -2150 11000
SESSION
play_session "$plan_folder" "$plan_folder/clicks.session" --drawn "$plan_folder/yesterday.txt" \
  > "$plan_folder/transcript.txt"
sed 's/^/  /' "$plan_folder/transcript.txt"
if [ "$(grep -c ' lines drawn, then ' "$plan_folder/transcript.txt")" != 4 ]; then
  say "" "The clicked chains were not continued twice each." >&2
  exit 1
fi
"$preview" "$plan_folder/drawing.txt" "$pictures/13-one-click.svg"
say "" "What the host shows: the dialog's notice pane at each click (the chain" \
    "found), a notice line (h#) after each continuation without the dialog," \
    "and the refused click's message with nothing drawn. The plan after the" \
    "session, each chain two dimensions longer: $pictures/13-one-click.svg"
