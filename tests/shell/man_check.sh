#!/usr/bin/env bash
# The manual pages render without a warning, and tarvel-cli's page names
# exactly the commands and options its tables hold.
# Usage: man_check.sh DOCS-BUILD-DIR TARVEL_COMPLETION
set -uo pipefail
docs=$1
failed=0
for page in "$docs"/*.1; do
  said=$(groff -man -ww -z "$page" 2>&1)
  [ -z "$said" ] || { echo "FAIL: $(basename "$page"): $said"; failed=1; }
done

# The first word of each .TP entry's first line in a section, as "KIND NAME".
entries() { # SECTION KIND
  awk -v section="$1" -v kind="$2" '
    /^\.SH / { in_section = ($0 == ".SH " section) ; next }
    in_section && /^\.TP/ { take = 1; next }
    take { take = 0; word = $2; gsub(/\\-/, "-", word); gsub(/"/, "", word); print kind " " word }
  ' "$docs/tarvel-cli.1"
}
want=$("$2" names | sort)
got=$( { entries COMMANDS command; entries OPTIONS option; } | sort)
if [ "$got" != "$want" ]; then
  echo "FAIL: tarvel-cli.1 and the tables differ (< the page, > the tables):"
  diff <(echo "$got") <(echo "$want")
  failed=1
fi
[ $failed -eq 0 ] && echo "man pages: clean, and in step with the tables"
exit $failed
