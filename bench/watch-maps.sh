# Sourced by the start-up benchmarks. watch_maps FILE appends to FILE the moment the X server
# reports each top-level window mapped (override-redirect pop-ups aside). Taking the moment from
# the server's own event leaves out the latency of asking for windows by polling.
watch_maps() {
  stdbuf -oL xev -root -event substructure 2>/dev/null | {
    pending=""
    while IFS= read -r line; do
      case $line in
        MapNotify*) pending=1 ;;
        *"override NO"*) [[ -n $pending ]] && echo "${EPOCHREALTIME/./}"; pending="" ;;
        *"override YES"*) pending="" ;;
      esac
    done
  } >> "$1"
}
