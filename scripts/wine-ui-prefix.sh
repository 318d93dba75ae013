# Sourced by run.sh and the screenshot scripts, after session.sh: a Wine prefix of
# their own for showing the program (one per build, see $TOSVIK_WINE_ARCH). "宋体" is
# drawn with the WenQuanYi mono face, whose half-width Latin letters match the original
# font's, so every text fits its control; Wine's Marlett, when installed, draws the
# caption buttons.
export WINEPREFIX="$PWD/build/wineprefix-ui"
[ "${TOSVIK_WINE_ARCH:-win64}" = win64 ] || WINEPREFIX+=32
if [ ! -f "$WINEPREFIX/.tosvik-ui" ]; then
  for name in 宋体 SimSun; do
    scripts/wine-run.sh reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$name" \
      /t REG_SZ /d 'WenQuanYi Micro Hei Mono' /f >/dev/null
  done
  if [ -f /usr/share/wine/fonts/marlett.ttf ]; then
    cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
  fi
  touch "$WINEPREFIX/.tosvik-ui"
fi
