#!/usr/bin/env bash
# A one-node Slurm cluster on this machine, for development and CI: munge and the two Slurm
# daemons run as root without systemd, with every file they own under one folder.
#   scripts/local-slurm.sh start|stop|status
#   scripts/local-slurm.sh run COMMAND...   the command runs on a cluster started for it
# The folder is $VELLUM_SLURM_DIR (default /tmp/vellum-slurm); clients find the cluster with
#   export SLURM_CONF=$VELLUM_SLURM_DIR/slurm.conf
set -euo pipefail

dir="${VELLUM_SLURM_DIR:-/tmp/vellum-slurm}"
conf="$dir/slurm.conf"
partition="${VELLUM_SLURM_PARTITION:-vellum}"
host="$(hostname -s)"
export SLURM_CONF="$conf"

die() { echo "local-slurm: $*" >&2; exit 1; }

running() { # pid file
    [ -f "$1" ] && kill -0 "$(cat "$1")" 2>/dev/null
}

write_conf() {
    local mem
    mem=$(awk '/MemTotal/ { print int($2 / 1024 * 0.9) }' /proc/meminfo)
    cat >"$conf" <<CONF
ClusterName=vellum
SlurmctldHost=$host
SlurmUser=root
SlurmdUser=root
AuthType=auth/munge
CredType=cred/munge
AuthInfo=socket=$dir/munge/munge.socket
SlurmctldPort=${VELLUM_SLURM_PORT:-6817}
SlurmdPort=$(( ${VELLUM_SLURM_PORT:-6817} + 1 ))
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
SelectType=select/cons_tres
SelectTypeParameters=CR_Core
MpiDefault=none
# Start the next task as soon as one ends, not at the controller's next once-a-second pass:
# a submission waits for no batch delay, and a finished task's epilog (a no-op here) reports
# its end, which schedules at once; without an epilog the node's answer waits for that pass.
SchedulerType=sched/builtin
SchedulerParameters=batch_sched_delay=0
Epilog=/bin/true
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
ReturnToService=2
StateSaveLocation=$dir/state
SlurmdSpoolDir=$dir/spool
SlurmctldPidFile=$dir/slurmctld.pid
SlurmdPidFile=$dir/slurmd.pid
SlurmctldLogFile=$dir/slurmctld.log
SlurmdLogFile=$dir/slurmd.log
NodeName=$host CPUs=$(nproc) RealMemory=$mem State=UNKNOWN
PartitionName=$partition Nodes=$host Default=YES MaxTime=INFINITE State=UP
CONF
}

start_munge() {
    mkdir -p "$dir/munge"
    chmod 700 "$dir/munge"
    if [ ! -f "$dir/munge/munge.key" ]; then
        head -c 1024 /dev/urandom >"$dir/munge/munge.key"
        chmod 400 "$dir/munge/munge.key"
    fi
    running "$dir/munge/munged.pid" && return
    munged --force \
        --key-file="$dir/munge/munge.key" \
        --socket="$dir/munge/munge.socket" \
        --pid-file="$dir/munge/munged.pid" \
        --log-file="$dir/munge/munged.log" \
        --seed-file="$dir/munge/munged.seed"
}

# What the controller and the node say, for a start that went wrong.
diagnose() {
    echo "local-slurm: sinfo -R:" >&2
    sinfo -R -l >&2 2>&1 || true
    echo "local-slurm: squeue:" >&2
    squeue -l -r >&2 2>&1 || true
    echo "local-slurm: slurmd -C: $(slurmd -C 2>&1 | head -1)" >&2
    for log in "$dir/slurmctld.log" "$dir/slurmd.log"; do
        echo "local-slurm: the end of $log:" >&2
        tail -n 30 "$log" >&2 2>/dev/null || true
    done
}

wait_for_node() {
    # "idle*" is a node the controller has not heard from: not up yet.
    for _ in $(seq 1 100); do
        if sinfo -h -o '%T' -p "$partition" 2>/dev/null | grep -qxE '(idle|mixed|allocated)'; then
            return 0
        fi
        sleep 0.2
    done
    diagnose
    die "the node did not come up"
}

# A cluster is up once it has run a job, not when its daemons answer.
run_a_job() {
    local out="$dir/probe.out"
    rm -f "$out"
    if timeout 60 sbatch --wait --quiet -p "$partition" -o "$out" --wrap 'echo ran' >/dev/null 2>&1 &&
        grep -qx ran "$out" 2>/dev/null; then
        return 0
    fi
    scancel -u "$(id -un)" 2>/dev/null || true
    diagnose
    die "the cluster did not run a one-line job within a minute"
}

start() {
    [ "$(id -u)" -eq 0 ] || die "start needs root (the daemons run as root here)"
    command -v slurmctld >/dev/null || die "slurm-wlm is not installed (apt-get install slurm-wlm munge)"
    # Jobs of an earlier run would come back with the saved state and hold the processors.
    if ! running "$dir/slurmctld.pid"; then
        rm -rf "$dir/state" "$dir/spool"
    fi
    mkdir -p "$dir/state" "$dir/spool"
    write_conf
    start_munge
    running "$dir/slurmctld.pid" || slurmctld -f "$conf"
    running "$dir/slurmd.pid" || slurmd -f "$conf"
    wait_for_node
    run_a_job
    echo "local-slurm: partition $partition up on $host ($(nproc) CPUs); export SLURM_CONF=$conf"
}

stop_one() { # pid file, name
    running "$1" || return 0
    local pid
    pid=$(cat "$1")
    kill "$pid"
    for _ in $(seq 1 50); do
        kill -0 "$pid" 2>/dev/null || return 0
        sleep 0.1
    done
    kill -9 "$pid" 2>/dev/null || true
}

stop() {
    stop_one "$dir/slurmd.pid"
    stop_one "$dir/slurmctld.pid"
    stop_one "$dir/munge/munged.pid"
    echo "local-slurm: stopped"
}

status() {
    local name pidfile up=0
    for name in munged slurmctld slurmd; do
        case $name in
            munged) pidfile="$dir/munge/munged.pid" ;;
            *) pidfile="$dir/$name.pid" ;;
        esac
        if running "$pidfile"; then echo "$name: running (pid $(cat "$pidfile"))"; else echo "$name: stopped"; up=1; fi
    done
    [ $up -eq 0 ] && sinfo -p "$partition" || true
    return $up
}

# The cluster is started just before the command, so that it has run a job minutes, not a long
# build, before the command needs it; one that was already running is left running.
run() {
    if [ "$(id -u)" -ne 0 ] || ! command -v slurmctld >/dev/null; then
        echo "local-slurm: no local cluster (it needs root and slurm-wlm): the farm's cluster tests skip" >&2
        env -u SLURM_CONF "$@"
        return
    fi
    if ! running "$dir/slurmctld.pid"; then
        trap stop EXIT
    fi
    start
    "$@"
}

case "${1:-}" in
    start) start ;;
    stop) stop ;;
    status) status ;;
    run) shift; [ $# -gt 0 ] || { echo "usage: $0 run COMMAND..." >&2; exit 2; }; run "$@" ;;
    *) echo "usage: $0 start|stop|status|run COMMAND..." >&2; exit 2 ;;
esac
