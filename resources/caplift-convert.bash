# bash completion for caplift-convert; installed as
# share/bash-completion/completions/caplift-convert.

_caplift_convert() {
  local cur prev words cword split
  _init_completion -s || return

  case $prev in
    -o | --output)
      _filedir '@(srt|vtt)'
      return
      ;;
    --format)
      COMPREPLY=($(compgen -W 'srt vtt' -- "$cur"))
      return
      ;;
    -d | --output-dir)
      _filedir -d
      return
      ;;
    --project | --role | -j | --jobs)
      return
      ;;
    --source)
      COMPREPLY=($(compgen -W 'titles captions all' -- "$cur"))
      return
      ;;
    --style)
      # A comma list: complete the item after the last comma.
      local items=${cur%"${cur##*,}"}
      COMPREPLY=($(compgen -P "$items" -W 'i b u color all' -- "${cur##*,}"))
      compopt -o nospace
      return
      ;;
  esac
  $split && return

  if [[ $cur == -* ]]; then
    # Taken from --help, so that the list follows the program's options.
    COMPREPLY=($(compgen -W '$(_parse_help "$1")' -- "$cur"))
    [[ ${COMPREPLY-} == *= ]] && compopt -o nospace
    return
  fi
  # Folders are offered too: an .fcpxmld bundle is one, and others lead to exports.
  _filedir '@(fcpxml|xml|fcpxmld)'
}
complete -F _caplift_convert caplift-convert
