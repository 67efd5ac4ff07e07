#!/usr/bin/python3
"""The whole host on a list drawing: zanthost loads the module, the header command tags every
entity of the drawing (selection ALL), QSAVE writes it back. Measured against the floor of the
same run (read the file whole, write it back, fsync), as the database benchmark is.

Usage: host_run.py BUILD_DIR DRAWING.dxf WORK_DIR
Prints one line for the reader and a last line "host <seconds> <peak bytes> <floor seconds>".
"""
import os
import resource
import shutil
import subprocess
import sys
import time


def floor_seconds(source, target):
    start = time.monotonic()
    with open(source, "rb") as f:
        data = f.read()
    with open(target, "wb") as f:
        f.write(data)
        f.flush()
        os.fsync(f.fileno())
    return time.monotonic() - start


def main():
    build, drawing, work = sys.argv[1:4]
    copy = os.path.join(work, "host_run.dxf")
    shutil.copy(drawing, copy)
    script = os.path.join(work, "host_run.scr")
    with open(script, "w") as f:
        f.write("ZANTLHEADER\nALL\n\nQSAVE\nQUIT\n")
    floor = floor_seconds(drawing, os.path.join(work, "host_floor.dxf"))
    start = time.monotonic()
    done = subprocess.run([os.path.join(build, "zanthost"), copy, "--load",
                           os.path.join(build, "ZANTZoDodAdadOvi10.arx"), "--script", script],
                          stdin=subprocess.DEVNULL, capture_output=True, text=True)
    seconds = time.monotonic() - start
    peak = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss * 1024
    if done.returncode != 0 or " found" not in done.stdout:
        sys.stderr.write(done.stdout[-2000:] + done.stderr[-2000:])
        sys.exit("host_run.py: the host did not tag and save the drawing")
    size = os.path.getsize(drawing)
    print("zanthost + module, ZANTLHEADER over ALL then QSAVE: %.3f s = %.2f x floor (%.3f s), "
          "peak memory %.1f MB = %.2f x file size" % (seconds, seconds / floor, floor, peak / 1e6,
                                                     peak / size))
    print("host %.6f %d %.6f" % (seconds, peak, floor))
    for name in ("host_run.dxf", "host_run.bak", "host_floor.dxf", "host_run.scr"):
        path = os.path.join(work, name)
        if os.path.exists(path):
            os.remove(path)


if __name__ == "__main__":
    main()
