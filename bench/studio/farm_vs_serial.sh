#!/usr/bin/env bash
# The farm's speed-up on one machine: a 20-frame 320x240 raytraced recording of the demo through
# the farm (one single-threaded POV-Ray task per frame) against the panel's serial raytraced
# recording with one POV-Ray thread. Both are whole studio runs (start-up, export, rendering,
# encoding), taken in turn, each rendering every frame afresh. Then where the farm runs' time
# went: the wait for the first processors, the tasks' span, and the last run task by task.
#   SLURM_CONF=/tmp/vellum-slurm/slurm.conf bench/studio/farm_vs_serial.sh [RUNS] [BUILD_DIR]
set -euo pipefail

runs=${1:-5}
studio=$(realpath "${2:-build}/studio/vellum-studio")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf 'Work_Threads=1\n' >"$work/one-thread.ini"
export QT_QPA_PLATFORM=offscreen
recording=(--raytrace --size 320x240 --fps 2 --range 0-95)

# Seconds the command took; its output goes to $work/log.
timed() {
    local start end
    start=$(date +%s.%N)
    "$@" >"$work/log" 2>&1 || { cat "$work/log" >&2; exit 1; }
    end=$(date +%s.%N)
    python3 -c "print(f'{$end - $start:.2f}')"
}

for run in $(seq "$runs"); do
    rm -rf "$work/farm.farm" "$work/farm.mp4" "$work/serial.mp4"
    farm=$(timed "$studio" --record "$work/farm.mp4" "${recording[@]}" --farm slurm)
    cp "$work/log" "$work/farm.log"
    sed -n 's/.*submitted [0-9]* frames as job \([0-9]*\).*/\1/p' "$work/log" | head -1 >>"$work/jobs"
    serial=$(POVINI="$work/one-thread.ini" timed "$studio" --record "$work/serial.mp4" "${recording[@]}")
    echo "run $run: farm $farm s, serial $serial s, speed-up $(python3 -c "print(f'{$serial / $farm:.2f}')")"
    echo "$farm $serial" >>"$work/times"
done

controllerLog=$(scontrol show config | sed -n 's/^SlurmctldLogFile *= *//p')
python3 - "$work" "$controllerLog" <<'EOF'
import datetime, glob, os, re, statistics, sys

work, controller_log = sys.argv[1:3]
times = [tuple(map(float, line.split())) for line in open(f"{work}/times")]
farm = statistics.median(t[0] for t in times)
serial = statistics.median(t[1] for t in times)
print(f"median: farm {farm:.2f} s, serial {serial:.2f} s; median of the speed-ups "
      f"{statistics.median(s / f for f, s in times):.2f}")

# When the controller took each array, gave each task its processor and heard of its end (the
# local cluster logs these to the millisecond; a site's accounting has them to the second).
jobs = open(f"{work}/jobs").read().split()
submitted, given, ended = {}, {}, {}
if controller_log and os.access(controller_log, os.R_OK):
    pattern = re.compile(r"^\[(\S+)\] (_slurm_rpc_submit_batch_job: JobId=(\d+) |"
                         r"sched: Allocate JobId=(\d+)_(\d+)\(|_job_complete: JobId=(\d+)_(\d+)\()")
    for line in open(controller_log, errors="replace"):
        match = pattern.match(line)
        if not match:
            continue
        stamp = datetime.datetime.fromisoformat(match[1]).timestamp()
        if match[3]:
            submitted[match[3]] = stamp
        elif match[4]:
            given.setdefault((match[4], int(match[5])), stamp)
        else:
            ended.setdefault((match[6], int(match[7])), stamp)
for run, job in enumerate(jobs, 1):
    starts = [t for (j, _), t in given.items() if j == job]
    ends = [t for (j, _), t in ended.items() if j == job]
    if job in submitted and starts and ends:
        print(f"run {run}: job {job} waited {min(starts) - submitted[job]:.2f} s for its first "
              f"processors, and its tasks ran for {max(ends) - min(starts):.2f} s")
job = jobs[-1]

# The raytracer's start and end, from the markers the tasks leave.
render = {}
for done in sorted(glob.glob(f"{work}/farm.farm/frames/*.done")):
    frame = int(os.path.basename(done)[:5])
    render[frame] = tuple(map(float, open(done).read().split()))

given = {task: t for (j, task), t in given.items() if j == job}
ended = {task: t for (j, task), t in ended.items() if j == job}
origin = min(start for start, _ in render.values())
print("frame  given  start    end  raytracer  launch  report  gap")
ends = sorted(end for _, end in render.values())
gaps, launches, reports = [], [], []
for frame, (start, end) in sorted(render.items()):
    earlier = [e for e in ends if e < start]
    gap = start - earlier[-1] if earlier else None
    launch = start - given[frame] if frame in given else None
    report = ended[frame] - end if frame in ended else None
    for value, values in ((gap, gaps), (launch, launches), (report, reports)):
        if value is not None:
            values.append(value)
    show = lambda value: f"{value:6.2f}" if value is not None else "     -"
    print(f"{frame:5d} {show(given[frame] - origin if frame in given else None)} "
          f"{start - origin:6.2f} {end - origin:6.2f}  {end - start:9.2f} {show(launch)}  "
          f"{show(report)} {show(gap)}")
med = lambda values: f"{statistics.median(values):.2f} s" if values else "-"
print(f"median raytracer {med([e - s for s, e in render.values()])}, launch {med(launches)}, "
      f"report {med(reports)}, gap from a task's end to the next start {med(gaps)}")
EOF
