# Shared pieces of the Wine environment, sourced by the run and test scripts.
# Wine takes its ANSI code page from the locale: zh_CN gives GBK (936).

export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko install prompts: the program needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="

# Some kernels (this sandbox's among them) cannot run 32-bit Linux programs, so
# Wine's 32-bit loader cannot start and only 64-bit Windows programs run. The
# tests then run a 64-bit build of the same sources.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  velloran_wine=/usr/lib/wine/wine
  export VELLORAN_TEST_ARCH=i686
else
  velloran_wine=/usr/lib/wine/wine64
  export VELLORAN_TEST_ARCH=x86_64
fi
export WINELOADER=$velloran_wine
wine() { "$velloran_wine" "$@"; }

velloran_cache=${VELLORAN_CACHE:-/var/cache/velloran}

# Starts a private Xvfb and exports DISPLAY; its pid goes to xvfb_pid.
start_xvfb() {
  local fdfile
  fdfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 1 100); do
    [ -s "$fdfile" ] && break
    sleep 0.05
  done
  export DISPLAY=":$(head -n1 "$fdfile")"
  rm -f "$fdfile"
}

# A ready prefix (locale settings, fonts, virtual desktop) kept in the cache and
# copied for each run, so a run does not pay for wineboot.
wine_template() {
  local template="$velloran_cache/prefix-v2-$(wine --version | tr -c 'a-zA-Z0-9.\n-' _)"
  if [ ! -f "$template/.ready" ]; then
    # Made aside and moved into place, so that runs started together never share a half-made one.
    local fresh="$template.new.$$"
    rm -rf "$fresh"
    mkdir -p "$fresh"
    (
      export WINEPREFIX="$fresh"
      wine wineboot -i >/dev/null 2>&1
      # Every program runs in one virtual desktop with Windows-style frames.
      wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
      wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
      for face in 宋体 SimSun 新宋体 NSimSun; do
        wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d 'WenQuanYi Zen Hei' /f >/dev/null 2>&1
      done
      # Title-bar buttons are Marlett glyphs; Wine finds the font only in the prefix.
      cp /usr/share/wine/fonts/marlett.ttf "$fresh/drive_c/windows/Fonts/" 2>/dev/null || true
      wineserver -w
    )
    touch "$fresh/.ready"
    if [ ! -f "$template/.ready" ]; then
      rm -rf "$template"
      mv -T "$fresh" "$template" 2>/dev/null || true
    fi
    rm -rf "$fresh"
  fi
  echo "$template"
}
