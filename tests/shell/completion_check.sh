#!/usr/bin/env bash
# tarvel-cli's completion scripts complete what a user types, in bash and,
# where installed, fish and zsh.
# Usage: completion_check.sh COMPLETION-DIR
set -uo pipefail
dir=$1
failed=0
fail() { echo "FAIL: $*"; failed=1; }

# WORDS typed (the last one being completed) | a word offered | a word not offered
rows=(
  "tarvel-cli fl|float|double"
  "tarvel-cli --v|--version|--help"
  "tarvel-cli float --|--registers|--near"
  "tarvel-cli record --|--header|--near"
  "tarvel-cli float --order |CDAB|fixed"
  "tarvel-cli float --order word|word-swap|ABCD"
  "tarvel-cli psi --|--digits|--order"
  "tarvel-cli encode |bfloat16|Pa"
  "tarvel-cli encode --order CDAB h|half|hex"
  "tarvel-cli encode float |-|float"
  "tarvel-cli pressure 1 |atm|float"
  "tarvel-cli pressure 1 bar p|psi|atm"
  "tarvel-cli pressure |-|atm"
  "tarvel-cli depth --model |unesco|seawater"
  "tarvel-cli depth --fluid f|freshwater|seawater"
  "tarvel-cli depth --latitude |-|dialog"
  "tarvel-cli inspect --|--near|--order"
)

bash_offers() { # WORDS
  bash -c 'source "$1"; read -ra COMP_WORDS <<<"$2"; [[ $2 == *" " ]] && COMP_WORDS+=("")
           COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _tarvel_cli; printf "%s\n" "${COMPREPLY[@]}"' \
    _ "$dir/tarvel-cli" "$1"
}
fish_offers() { fish -c "source $dir/tarvel-cli.fish; complete -C '$1'" | cut -f1; }
# zsh's completion system needs a terminal; its two calls are stood in for by
# functions that print what they are given, as zsh would filter it.
zsh_offers() {
  zsh -c 'offer() { local w; for w in "$@"; do [[ $w == ${PREFIX}* ]] && print -r -- $w; done; }
          compadd() { [[ $1 == -a ]] && { offer ${(P)2}; return; }; [[ $1 == -- ]] && shift; offer "$@"; }
          _describe() { offer ${${(P)4}%%:*}; }
          _message() { :; }
          words=(${=2}); [[ $2 == *" " ]] && words+=("")
          CURRENT=${#words}; PREFIX=${words[CURRENT]}
          eval "complete_it() { $(<$1) }"; complete_it' _ "$dir/_tarvel-cli" "$1"
}

check_shell() { # NAME OFFERS-FUNCTION
  for row in "${rows[@]}"; do
    IFS='|' read -r words want unwanted <<<"$row"
    offered=$("$2" "$words")
    if [ "$want" = - ]; then
      [ -z "$offered" ] || fail "$1: '$words' offers '$(tr '\n' ' ' <<<"$offered")', want nothing"
    else
      grep -qxF -- "$want" <<<"$offered" || fail "$1: '$words' does not offer '$want'"
    fi
    ! grep -qxF -- "$unwanted" <<<"$offered" || fail "$1: '$words' offers '$unwanted'"
  done
}

check_shell bash bash_offers
if command -v fish >/dev/null; then check_shell fish fish_offers; else echo "fish: not installed, skipped"; fi
if command -v zsh >/dev/null; then check_shell zsh zsh_offers; else echo "zsh: not installed, skipped"; fi
[ $failed -eq 0 ] && echo "completion: all rows pass"
exit $failed
