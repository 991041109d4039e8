# Sourced by the demo's scenario steps and their tests: turns the values of
# a scenario step into what a person does at a fields panel.
#   typing_script PANEL "FIELD=TEXT ; FIELD.SLOT=TEXT ; ..."   (or "-")
# prints, for each value in turn (blanks around a ";" do not count), a
# click into the field's editor, the selection of what it holds and the
# typing of the text, or its deletion for FIELD= ("-": no values).
typing_script() {
  local panel="$1" v text values
  IFS=';' read -ra values <<<"$2"
  for v in "${values[@]}"; do
    v="${v#"${v%%[![:space:]]*}"}"
    v="${v%"${v##*[![:space:]]}"}"
    [[ -z "$v" || "$v" == "-" ]] && continue
    text="${v#*=}"
    printf 'click %s.%s\nkey End\nkey shift+Home\n' "$panel" "${v%%=*}"
    if [ -n "$text" ]; then printf 'type "%s"\n' "$text"; else printf 'key Delete\n'; fi
  done
}
