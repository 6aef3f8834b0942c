# Sourced by scripts that need a virtual X display. start_xvfb <folder>: starts Xvfb, sets XVFB_PID and exports
# DISPLAY, or says why not and returns 1. The server picks a free display itself and names it once it takes
# connections: xvfb-run's guess from lock files can race another server on the machine, and then the program
# finds no display.
start_xvfb() {
    local folder=$1
    Xvfb -displayfd 3 -nolisten tcp -ac -screen 0 1280x1024x24 3>"$folder/display" 2>"$folder/xvfb.log" &
    XVFB_PID=$!
    for _ in $(seq 1 100); do
        if [ -s "$folder/display" ]; then
            export DISPLAY=":$(head -n 1 "$folder/display")"
            return 0
        fi
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    echo "Xvfb named no display: $(cat "$folder/xvfb.log")"
    return 1
}
