#!/bin/bash
# cluster-test.sh - translate.sbatch on a single-node Slurm cluster started on this machine.
#
#   deploy/slurm/cluster-test.sh COMMAND [CORPUS]
#
# Starts munged, slurmctld and slurmd (Debian's munge and slurm-wlm) with a
# configuration written into a temporary folder, translates every .dxf of
# CORPUS (default $VORABS_CORPUS, else ../shared/dxf-corpus/files beside
# the clone) as a 4-task array with a dependent merge, and checks that:
#   - a task cancelled while it runs leaves the set incomplete, and the
#     merge says so;
#   - that task submitted again completes the set, skipping what it did;
#   - the merged summary equals the one of a run on one machine.
# The daemons are stopped and the folder removed at the end. Where Slurm is
# not installed or cannot start here, it says why and exits 0 (skipped).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
command=$(readlink -f "${1:?usage: cluster-test.sh COMMAND [CORPUS]}")
corpus=${2:-${VORABS_CORPUS:-$repo/../shared/dxf-corpus/files}}
shards=4

skip() { echo "cluster-test: skipped: $*"; exit 0; }
fail() { echo "cluster-test: FAILED: $*" >&2; exit 1; }

for daemon in munged slurmctld slurmd sbatch; do
  command -v "$daemon" >/dev/null || [ -x "/usr/sbin/$daemon" ] || skip "$daemon is not installed"
done
[ "$(id -u)" = 0 ] || skip "the daemons need root here (slurmd starts jobs as their user)"
[ -d "$corpus" ] || skip "no corpus at $corpus (give it as the second argument or VORABS_CORPUS)"
# The list names the inputs by absolute paths: the tasks run in the work folder.
corpus=$(cd "$corpus" && pwd)

tmp=$(mktemp -d /tmp/vorabs-slurm.XXXXXX)
chmod 755 "$tmp"
cleanup() {
  set +e
  for pid in "$tmp"/slurmd.pid "$tmp"/slurmctld.pid "$tmp"/munged.pid; do
    [ -s "$pid" ] && kill "$(cat "$pid")" 2>/dev/null
  done
  sleep 1
  rm -rf "$tmp"
}
trap cleanup EXIT
trap "exit 1" INT TERM
[ -n "${KEEP:-}" ] && trap - EXIT

# --- munge: its own key and socket -------------------------------------------
mkdir -m 700 "$tmp/munge"
dd if=/dev/urandom bs=1 count=1024 of="$tmp/munge/munge.key" status=none
chmod 400 "$tmp/munge/munge.key"
/usr/sbin/munged --force --socket="$tmp/munge/munge.socket" --key-file="$tmp/munge/munge.key" \
  --pid-file="$tmp/munged.pid" --log-file="$tmp/munge/munged.log" \
  --seed-file="$tmp/munge/munged.seed" || skip "munged does not start: $(tail -1 "$tmp/munge/munged.log")"

# --- slurm: one node, this machine ------------------------------------------
node=$(hostname -s)
cpus=$(nproc)
mkdir -p "$tmp/state" "$tmp/spool" "$tmp/work"
export SLURM_CONF="$tmp/slurm.conf"
cat >"$SLURM_CONF" <<CONF
ClusterName=vorabs-test
SlurmctldHost=$node(127.0.0.1)
SlurmctldPort=16817
SlurmdPort=16818
AuthType=auth/munge
CredType=cred/munge
AuthInfo=socket=$tmp/munge/munge.socket
SlurmUser=root
StateSaveLocation=$tmp/state
SlurmdSpoolDir=$tmp/spool
SlurmctldPidFile=$tmp/slurmctld.pid
SlurmdPidFile=$tmp/slurmd.pid
SlurmctldLogFile=$tmp/slurmctld.log
SlurmdLogFile=$tmp/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
SelectType=select/cons_tres
SelectTypeParameters=CR_CPU
ReturnToService=2
MpiDefault=none
SchedulerParameters=defer_batch=0
NodeName=$node NodeAddr=127.0.0.1 CPUs=$cpus State=UNKNOWN
PartitionName=test Nodes=$node Default=YES MaxTime=INFINITE State=UP OverSubscribe=FORCE:4
CONF
/usr/sbin/slurmctld -i -f "$SLURM_CONF" || skip "slurmctld does not start: $(tail -3 "$tmp/slurmctld.log")"
/usr/sbin/slurmd -f "$SLURM_CONF" || skip "slurmd does not start: $(tail -3 "$tmp/slurmd.log")"
for _ in $(seq 60); do
  sinfo -h -o %t 2>/dev/null | grep -qE '^(idle|mix|alloc)' && break
  sleep 0.5
done
sinfo -h -o %t 2>/dev/null | grep -qE '^(idle|mix|alloc)' ||
  skip "the node does not come up: $(sinfo -h -o '%t %E' 2>&1) $(tail -2 "$tmp/slurmd.log")"
echo "cluster-test: slurm $(sinfo -V | cut -d' ' -f2) up on $node ($cpus CPUs)"

# --- the work ------------------------------------------------------------------
work=$tmp/work
find "$corpus" -maxdepth 1 -name '*.dxf' -type f | sort >"$work/list"
count=$(wc -l <"$work/list")
[ "$count" -gt 0 ] || fail "no .dxf file in $corpus"
export VORABS_TRANSLATE=$command

# Waits until job $1 (all its tasks) has left the queue.
wait_job() {
  for _ in $(seq 600); do
    [ -z "$(squeue -h -j "$1" 2>/dev/null)" ] && return 0
    sleep 0.3
  done
  fail "job $1 did not end: $(squeue -j "$1")"
}

# One machine, the same command and inputs.
"$command" --manifest "$work/list" --results "$work/one.jsonl" --quiet -j "$cpus" 2>/dev/null || true
"$command" --merge --manifest "$work/list" --report "$work/one.json" "$work/one.jsonl" >/dev/null || [ $? -le 1 ]

# The array; task 2 is cancelled while it runs.
cd "$work"
started=$(date +%s.%N)
array=$(sbatch --parsable --array=0-$((shards - 1)) "$here/translate.sbatch" "$work/list" "$work")
# Cancelled once it has done an input, so that its resubmission has one to skip.
for _ in $(seq 300); do
  [ "$(grep -c . "$work/results/shard-2.jsonl" 2>/dev/null)" -ge 1 ] 2>/dev/null && break
  sleep 0.1
done
scancel "${array}_2"
merge=$(sbatch --parsable --dependency=afterany:"$array" "$here/translate.sbatch" --merge "$work/list" "$work")
wait_job "$array"
wait_job "$merge"
first=$(grep -c . "$work"/results/shard-2.jsonl 2>/dev/null || echo 0)
mine=$(awk "NR % $shards == 3" "$work/list" | wc -l)
if [ "$first" -lt "$mine" ]; then
  grep -q '"missing": [1-9]' "$work/summary.json" || fail "the merge of an incomplete set did not say so"
  echo "cluster-test: task 2 cancelled after $first of its $mine inputs; the merge reports the set incomplete"
else
  echo "cluster-test: task 2 ended before it could be cancelled ($first of $mine inputs)"
fi

# Task 2 again, as a one-task array of the same 4 shards, and the merge.
again=$(sbatch --parsable --array=2 --export=ALL,VORABS_SHARDS=$shards "$here/translate.sbatch" "$work/list" "$work")
merge=$(sbatch --parsable --dependency=afterany:"$again" "$here/translate.sbatch" --merge "$work/list" "$work")
wait_job "$again"
wait_job "$merge"
ended=$(date +%s.%N)
lines=$(cat "$work"/results/shard-*.jsonl | grep -c .)
[ "$lines" -eq "$count" ] || fail "$lines result lines for $count inputs (resubmitting redid some)"
diff -u "$work/one.json" "$work/summary.json" || fail "the merged results differ from one machine's"
echo "cluster-test: $count files as $shards array tasks (task 2 resubmitted) equal the one-machine run"
echo "cluster-test: merge: $(cat "$work"/slurm-"$merge"_*.out)"
awk -v a="$started" -v b="$ended" 'BEGIN { printf "cluster-test: wall time from submission %.1f s\n", b - a }'

# The scale figure (VORABS_SCALE=1): the corpus as 1, 2 and 4 array tasks.
if [ "${VORABS_SCALE:-0}" = 1 ]; then
  for n in 1 2 4; do
    rm -rf "$work/results" "$work/summary.json"
    started=$(date +%s.%N)
    array=$(sbatch --parsable --array=0-$((n - 1)) "$here/translate.sbatch" "$work/list" "$work")
    merge=$(sbatch --parsable --dependency=afterany:"$array" "$here/translate.sbatch" --merge "$work/list" "$work")
    wait_job "$array"
    wait_job "$merge"
    ended=$(date +%s.%N)
    awk -v n="$n" -v a="$started" -v b="$ended" 'BEGIN { printf "scale: %d tasks %.1f s  ", n, b - a }'
    cat "$work"/slurm-"$merge"_*.out
  done
fi
