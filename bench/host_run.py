#!/usr/bin/python3
"""The whole host on a list drawing: zanthost loads the module, the header command tags every
entity of the drawing (selection ALL), QSAVE writes it back. Measured against the floor of the
same run (read the file whole, write it back, fsync), as the database benchmark is. The floor
and the host run in turn five times each, and the medians are compared: a disk flush or another
program on the machine slows one run, rarely three.

Usage: host_run.py BUILD_DIR DRAWING.dxf WORK_DIR
Prints one line for the reader and a last line "host <seconds> <peak bytes> <floor seconds>".
"""
import os
import resource
import shutil
import statistics
import subprocess
import sys
import time


RUNS = 5


# The floor runs in a process of its own, as the host does: a process reading the file a second
# time would reuse memory the first reading had already faulted in, and measure less than any
# program opening a drawing pays.
FLOOR = """
import os, sys, time
start = time.monotonic()
with open(sys.argv[1], "rb") as f:
    data = f.read()
with open(sys.argv[2], "wb") as f:
    f.write(data)
    f.flush()
    os.fsync(f.fileno())
print(time.monotonic() - start)
"""


def floor_seconds(source, target):
    done = subprocess.run([sys.executable, "-c", FLOOR, source, target], capture_output=True,
                          text=True, check=True)
    return float(done.stdout)


def host_seconds(build, drawing, script):
    """One run of the host on `drawing`, in seconds of wall time."""
    start = time.monotonic()
    done = subprocess.run([os.path.join(build, "zanthost"), drawing, "--load",
                           os.path.join(build, "ZANTZoDodAdadOvi10.arx"), "--script", script],
                          stdin=subprocess.DEVNULL, capture_output=True, text=True)
    seconds = time.monotonic() - start
    if done.returncode != 0 or " found" not in done.stdout:
        sys.stderr.write(done.stdout[-2000:] + done.stderr[-2000:])
        sys.exit("host_run.py: the host did not tag and save the drawing")
    return seconds


def main():
    build, drawing, work = sys.argv[1:4]
    copy = os.path.join(work, "host_run.dxf")
    script = os.path.join(work, "host_run.scr")
    with open(script, "w") as f:
        f.write("ZANTLHEADER\nALL\n\nQSAVE\nQUIT\n")
    floors, hosts = [], []
    for _ in range(RUNS):
        # Each measure starts with nothing of the benchmark's own waiting to be written: a flush
        # to disk may otherwise carry the copy made just before along with the file measured.
        os.sync()
        floors.append(floor_seconds(drawing, os.path.join(work, "host_floor.dxf")))
        shutil.copy(drawing, copy)
        os.sync()
        hosts.append(host_seconds(build, copy, script))
    # The largest of the runs' peaks: the floor's processes hold the file alone, less than the host.
    peak = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss * 1024
    floor, seconds = statistics.median(floors), statistics.median(hosts)
    size = os.path.getsize(drawing)
    print("zanthost + module, ZANTLHEADER over ALL then QSAVE: %.3f s = %.2f x floor (%.3f s), "
          "peak memory %.1f MB = %.2f x file size (medians of %d; host %s s, floor %s s)" %
          (seconds, seconds / floor, floor, peak / 1e6, peak / size, RUNS,
           " ".join("%.3f" % h for h in hosts), " ".join("%.3f" % f for f in floors)))
    print("host %.6f %d %.6f" % (seconds, peak, floor))
    for name in ("host_run.dxf", "host_run.bak", "host_floor.dxf", "host_run.scr"):
        path = os.path.join(work, name)
        if os.path.exists(path):
            os.remove(path)


if __name__ == "__main__":
    main()
