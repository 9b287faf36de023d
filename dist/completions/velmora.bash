# bash completion for velmora: commands, their options, setting names and script files.
_velmora() {
  local cur prev command word i
  cur="${COMP_WORDS[COMP_CWORD]}"
  prev="${COMP_WORDS[COMP_CWORD-1]}"
  local commands="interpret build check print replace new convert settings serve help"
  local global="--online --offline --set --yes --no --quiet --host-paths --help --version"
  local settings="Internet= BuildIndex= BuildCollections= BuildPrintPages= CheckNameRefs= CheckAllImages= AllowForwardSlashes="

  command=""
  for ((i = 1; i < COMP_CWORD; i++)); do
    word="${COMP_WORDS[i]}"
    case "$word" in
      --set|--output|--find|--with|--templates|--resources|--style|--language|--port|--bind) ((i++)) ;;
      -*) ;;
      *) command="$word"; break ;;
    esac
  done

  case "$prev" in
    --set)
      COMPREPLY=($(compgen -W "$settings" -- "$cur")); compopt -o nospace; return ;;
    --output)
      COMPREPLY=($(compgen -f -- "$cur")); return ;;
    --templates|--resources)
      COMPREPLY=($(compgen -f -- "$cur")); return ;;
    --style)
      COMPREPLY=($(compgen -W "classic modern" -- "$cur")); return ;;
    --find|--with|--language|--port|--bind)
      return ;;
  esac

  local options=""
  case "$command" in
    print) options="--text --output" ;;
    replace) options="--find --with --all" ;;
    new) options="--frames --templates --resources --style --language" ;;
    serve) options="--port --bind" ;;
  esac

  if [[ "$cur" == -* ]]; then
    COMPREPLY=($(compgen -W "$global $options" -- "$cur"))
  elif [[ -z "$command" ]]; then
    COMPREPLY=($(compgen -W "$commands" -- "$cur"))
  elif [[ "$command" == help ]]; then
    COMPREPLY=($(compgen -W "$commands" -- "$cur"))
  elif [[ "$command" == settings ]]; then
    COMPREPLY=($(compgen -W "$settings" -- "$cur")); compopt -o nospace
  else
    COMPREPLY=($(compgen -f -- "$cur"))
  fi
}
complete -o filenames -F _velmora velmora
