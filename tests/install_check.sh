#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what a desktop needs:
# both programs, a valid menu entry, valid software-centre metadata, icons,
# the manual pages and shell completion.
# Usage: install_check.sh BUILD-DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

status=0
for f in bin/tarvel bin/tarvel-cli share/applications/tarvel.desktop \
         share/metainfo/tarvel.metainfo.xml share/icons/hicolor/scalable/apps/tarvel.svg \
         share/icons/hicolor/16x16/apps/tarvel.png share/icons/hicolor/32x32/apps/tarvel.png \
         share/icons/hicolor/256x256/apps/tarvel.png share/man/man1/tarvel.1.gz \
         share/man/man1/tarvel-cli.1.gz share/bash-completion/completions/tarvel-cli \
         share/zsh/site-functions/_tarvel-cli share/fish/vendor_completions.d/tarvel-cli.fish; do
  [ -s "$prefix/$f" ] || { echo "missing: $f"; status=1; }
done
desktop-file-validate "$prefix/share/applications/tarvel.desktop" || status=1
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/tarvel.metainfo.xml" || status=1
grep -q 'release version="1.0.0.1"' "$prefix/share/metainfo/tarvel.metainfo.xml" || {
  echo "metainfo does not carry version 1.0.0.1"; status=1; }
[ "$("$prefix/bin/tarvel-cli" --version)" = "Tarvel 1.0.0.1" ] || { echo "tarvel-cli --version"; status=1; }
[ $status -eq 0 ] && echo "install: all checks passed"
exit $status
