# Sourced by the scripts that run Windows programs under Wine.
# use_wine_prefix <folder>: exports the Wine settings for that prefix (quiet,
# no Mono or Gecko prompts) and creates the prefix the first time.
use_wine_prefix() {
  export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "creating the Wine prefix $WINEPREFIX (once)"
    /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1 || true
    wineserver -w || true
  fi
}
