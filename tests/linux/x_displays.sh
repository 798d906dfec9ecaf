# Sourced by the Linux program's tests: start_display FILE [XVFB ARGS...]
# starts a private Xvfb that picks a free display number, writes it to FILE
# and is stopped when the test ends; picture_of checks a screenshot.
displays=()
stop_displays() { [ ${#displays[@]} -eq 0 ] || kill "${displays[@]}" 2>/dev/null; }
trap stop_displays EXIT

start_display() {
  local file=$1
  shift
  rm -f "$file"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp "$@" 3>"$file" </dev/null >"$file.log" 2>&1 &
  displays+=($!)
  for _ in $(seq 600); do  # a hang guard of 60 s
    grep -q '^[0-9]' "$file" 2>/dev/null && return 0
    sleep 0.1
  done
  echo "Xvfb did not start"
  exit 1
}

# Waits until the centre of each area (WxH+X+Y) is lit, then checks that
# each shows the central sphere alone, centred and round, at its size. The
# wait is bounded only against a hang.
picture_of() {
  local shot=$work/screen.ppm
  for _ in $(seq 1200); do
    import -window root -depth 8 "$shot"
    python3 "$checker" --drawn "$shot" "$@" && break
    sleep 0.1
  done
  python3 "$checker" "$shot" "$@"
}
