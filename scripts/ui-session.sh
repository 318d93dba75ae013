# Sourced by the screenshot scripts: builds the x86-64 program into $exe and gives it
# a private virtual display and the showing prefix (wine-ui-prefix.sh). Wine's
# servers and the display end when the caller exits (session.sh).
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target Tosvik
exe=$(find build/win64 -name Tosvik.exe -not -path '*/CMakeFiles/*' | head -n 1)

unset DISPLAY
. scripts/session.sh
# After the display: Wine's helper processes stay bound to the first one they see.
. scripts/wine-ui-prefix.sh
