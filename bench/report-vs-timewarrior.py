#!/usr/bin/env python3
"""Times the command-line report of a year against Timewarrior and against
merely reading the files.

Generates a year of day files (every day of the current year, 40 entries a
day, about 2,000 titles) in a temporary home, the same intervals as a
Timewarrior database, and times whole processes side by side with hyperfine:

  A  RyvTracker report this-year --format html
  B  timew summary over the same year
  C  cat of every day file, plus a bare QtCore process start (two runs,
     their medians added)

and prints the medians and the ratios B/A and A/C. Goals: A at least 20
times faster than B, and within 3 times C.

Installs timewarrior and hyperfine from Debian when they are missing (with
sudo unless root); `make test` never runs this.

  bench/report-vs-timewarrior.py [--build build] [--runs 20]
"""

import argparse
import datetime
import json
import os
import random
import shutil
import subprocess
import sys
import tempfile

ENTRIES_PER_DAY = 40
TITLES = 2000


def install_missing():
    missing = [p for p, exe in (("timewarrior", "timew"), ("hyperfine", "hyperfine"))
               if shutil.which(exe) is None]
    if not missing:
        return
    sudo = [] if os.geteuid() == 0 else ["sudo"]
    env = dict(os.environ, DEBIAN_FRONTEND="noninteractive")
    print("Installing " + " ".join(missing), flush=True)
    subprocess.run(sudo + ["apt-get", "install", "-y", "-q", "--no-install-recommends"] + missing,
                   check=True, env=env, stdout=subprocess.DEVNULL)


def generate(home, year):
    """Day files for RyvTracker and the same intervals for Timewarrior."""
    rnd = random.Random(42)
    titles = ["Task %d of project %s" % (i, "ABCDEFGH"[i % 8]) for i in range(TITLES)]
    data = os.path.join(home, "share", "RyvTracker", "data")
    timew = os.path.join(home, "timewarrior")
    os.makedirs(os.path.join(data, str(year)))
    os.makedirs(os.path.join(timew, "data"))
    open(os.path.join(timew, "timewarrior.cfg"), "w").close()
    today = datetime.date.today()
    day = datetime.date(year, 1, 1)
    files = []
    months = {}
    while day.year == year:
        lines = ['kind;state;start;stop;"title";"url";"descr"']
        t = datetime.datetime.combine(day, datetime.time(7, 0))
        for _ in range(ENTRIES_PER_DAY):
            minutes = rnd.randint(5, 20)
            stop = t + datetime.timedelta(minutes=minutes)
            title = titles[rnd.randrange(TITLES)]
            lines.append('0;%d;%s;%s;"%s";"";""' % (
                rnd.randint(0, 1), t.strftime("%Y-%m-%d %H:%M:%S"),
                stop.strftime("%Y-%m-%d %H:%M:%S"), title))
            # Timewarrior keeps UTC; the benchmark runs with TZ=UTC.
            months.setdefault(day.strftime("%Y-%m"), []).append('inc %s - %s # "%s"\n' % (
                t.strftime("%Y%m%dT%H%M%SZ"), stop.strftime("%Y%m%dT%H%M%SZ"), title))
            t = stop
        # Today's log is current.lst, as in the program.
        name = "current.lst" if day == today else os.path.join(str(year), day.isoformat() + ".lst")
        path = os.path.join(data, name)
        with open(path, "w", encoding="utf-8-sig", newline="") as f:
            f.write("\r\n".join(lines))
        files.append(path)
        day += datetime.timedelta(days=1)
    for month, lines in months.items():
        with open(os.path.join(timew, "data", month + ".data"), "w") as f:
            f.writelines(lines)
    return files, timew


def timing(command, runs, env):
    """The median wall time of command (a list: no shell) and its mean
    processor time (user + system), by hyperfine. On a busy machine the wall
    time waits for other programs; the processor time does not."""
    with tempfile.NamedTemporaryFile(suffix=".json") as out:
        subprocess.run(["hyperfine", "-N", "--warmup", "2", "--runs", str(runs),
                        "--export-json", out.name, "--style", "none",
                        " ".join(_quote(c) for c in command)],
                       check=True, env=env, stdout=subprocess.DEVNULL)
        result = json.load(open(out.name))["results"][0]
        return result["median"], result["user"] + result["system"]


def _quote(word):
    return "'" + word.replace("'", "'\\''") + "'" if any(c in word for c in " '\"") else word


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--build", default="build", help="the build folder (default: build)")
    parser.add_argument("--runs", type=int, default=20, help="timed runs of each command")
    args = parser.parse_args()

    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    build = os.path.join(root, args.build)
    subprocess.run(["cmake", "--build", build, "--target", "RyvTracker", "ryv_qtcore_start"],
                   check=True, stdout=subprocess.DEVNULL)
    program = os.path.join(build, "src", "RyvTracker")
    bare = os.path.join(build, "bench", "ryv_qtcore_start")
    install_missing()

    year = datetime.date.today().year
    with tempfile.TemporaryDirectory(prefix="ryv-bench-") as home:
        files, timew = generate(home, year)
        run = os.path.join(home, "run")
        os.mkdir(run, 0o700)
        env = dict(os.environ, HOME=home, XDG_DATA_HOME=os.path.join(home, "share"),
                   XDG_RUNTIME_DIR=run, TIMEWARRIORDB=timew, TZ="UTC", LANG="C.UTF-8",
                   LC_ALL="C.UTF-8")
        for name in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"):
            env.pop(name, None)

        report = [program, "report", "this-year", "--format", "html"]
        timew_summary = ["timew", "summary", "%d-01-01" % year, "-", "%d-01-01" % (year + 1)]
        # Both read the same data: check before timing.
        html = subprocess.run(report, env=env, capture_output=True, check=True).stdout
        summary = subprocess.run(timew_summary, env=env, capture_output=True, check=True).stdout
        if b"Task " not in html or b"Task " not in summary:
            sys.exit("a command did not read the generated data")

        a = timing(report, args.runs, env)
        b = timing(timew_summary, args.runs, env)
        c_cat = timing(["cat"] + files, args.runs, env)
        c_qt = timing([bare], args.runs, env)
        c = (c_cat[0] + c_qt[0], c_cat[1] + c_qt[1])

    print("%d days x %d entries, %d titles, whole processes, %d runs each"
          % (len(files), ENTRIES_PER_DAY, TITLES, args.runs))
    print("  %-48s %10s %10s" % ("", "wall median", "cpu mean"))
    rows = (("A  RyvTracker report this-year --format html", a),
            ("B  timew summary (same year)", b),
            ("   cat of the files", c_cat),
            ("   bare QtCore process", c_qt),
            ("C  cat + bare QtCore", c))
    for label, (wall, cpu) in rows:
        print("  %-48s %7.1f ms %7.1f ms" % (label, wall * 1000, cpu * 1000))
    for name, i in (("wall", 0), ("cpu", 1)):
        faster = b[i] / a[i]
        within = a[i] / c[i]
        print("  %-4s  B / A = %5.1f (goal: at least 20, %s)   A / C = %4.2f (goal: at most 3, %s)"
              % (name, faster, "met" if faster >= 20 else "missed",
                 within, "met" if within <= 3 else "missed"))


if __name__ == "__main__":
    main()
