# Sourced by the e2e scripts: the vantrel.exe a script started in the background
# (it sets vantrel_pid), waited for with a deadline and ended by its PID.

vantrel_pid=

# wait_for_vantrel SECONDS: returns vantrel.exe's exit status once it has ended,
# or 124 when it is still running after SECONDS.
wait_for_vantrel() {
    local deadline=$((SECONDS + $1)) status=0
    while kill -0 "$vantrel_pid" 2>/dev/null; do
        [ $SECONDS -lt $deadline ] || return 124
        sleep 0.1
    done
    wait "$vantrel_pid" || status=$?
    vantrel_pid=
    return $status
}

# For an EXIT trap: ends vantrel.exe if it is still running.
stop_vantrel() {
    [ -n "$vantrel_pid" ] && kill -KILL "$vantrel_pid" 2>/dev/null
    vantrel_pid=
    return 0
}
