# Sourced by the Wine helpers: the environment of every Windows process the
# tests start. $1 is the build tree's Wine state folder; nothing here touches
# ~/.wine or the user's display.
state=$(cd "$1" 2>/dev/null && pwd || echo "$1")
export WINEDEBUG=${KELVARIS_WINEDEBUG:--all}
# Skip the Mono and Gecko installers; a test may add its own overrides,
# separated by blanks (a semicolon would split a CMake list).
overrides=${KELVARIS_DLL_OVERRIDES:-}
export WINEDLLOVERRIDES="mscoree,mshtml=${overrides:+;${overrides// /;}}"
# KELVARIS_DISPLAY picks one of the run's displays ("display-noglx"). Each
# display has a prefix and wineserver of its own: Wine takes windows on a
# second X display of the same session for inactive ones.
display_name=${KELVARIS_DISPLAY:-display}
if [ "$display_name" = display ]; then
  export WINEPREFIX="$state/prefix"
else
  export WINEPREFIX="$state/prefix-${display_name#display-}"
fi
display_file="$state/$display_name"
if [ -s "$display_file" ]; then
  export DISPLAY=":$(head -n1 "$display_file")"
else
  unset DISPLAY
fi
unset WAYLAND_DISPLAY
