"""What bench/run and bench/compare share: building a tree's benchmarks and
running a benchmark program for its results."""
import json
import os
import shutil
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def build(build_dir, targets, source_dir=ROOT, jobs=os.cpu_count()):
    """Configures a Release build of source_dir on first use, then builds the
    targets; the build's output is shown only when it fails."""
    steps = []
    if not os.path.exists(os.path.join(build_dir, "CMakeCache.txt")):
        configure = ["cmake", "-S", source_dir, "-B", build_dir, "-DCMAKE_BUILD_TYPE=Release",
                     "-DQUILLMARC_BUILD_TESTS=OFF"]
        if shutil.which("ninja"):
            configure += ["-G", "Ninja"]
        if shutil.which("ccache"):
            configure += ["-DCMAKE_CXX_COMPILER_LAUNCHER=ccache", "-DCMAKE_C_COMPILER_LAUNCHER=ccache"]
        steps.append(configure)
    steps.append(["cmake", "--build", build_dir, "-j", str(jobs), "--target", *targets])
    for step in steps:
        done = subprocess.run(step, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
        if done.returncode != 0:
            sys.exit(f"{' '.join(step)} failed:\n{done.stdout}")


def declared(program):
    """The names of the program's benchmarks, in the order it declares them."""
    return subprocess.run([program, "--benchmark_list_tests=true"], check=True, capture_output=True,
                          text=True).stdout.split()


def run(program, *options):
    """The program's results (Google Benchmark's JSON records) for the options
    given, in the order it declares its benchmarks."""
    with tempfile.NamedTemporaryFile(suffix=".json") as out:
        done = subprocess.run([program, *options, f"--benchmark_out={out.name}", "--benchmark_out_format=json"],
                              stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        if done.returncode != 0:
            sys.exit(f"{program} failed:\n{done.stderr}")
        results = json.load(open(out.name))["benchmarks"]
    order = declared(program)
    return sorted(results, key=lambda r: order.index(r["run_name"]))


def medians(results):
    """run_name -> the median aggregate of that benchmark (its one run when
    it ran once)."""
    found = {}
    for r in results:
        if r.get("error_occurred"):
            sys.exit(f"{r['run_name']}: {r.get('error_message')}")
        if r.get("aggregate_name") == "median" or (r["run_type"] == "iteration" and r["run_name"] not in found):
            found[r["run_name"]] = r
    return found


def seconds(r):
    scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[r["time_unit"]]
    return r["real_time"] * scale


def fmt_time(s):
    for unit, scale in (("s", 1.0), ("ms", 1e-3), ("µs", 1e-6)):
        if s >= scale:
            return f"{s / scale:.3g} {unit}"
    return f"{s / 1e-9:.3g} ns"


def commit(tree=ROOT):
    head = subprocess.run(["git", "-C", tree, "rev-parse", "--short", "HEAD"], capture_output=True, text=True)
    dirty = subprocess.run(["git", "-C", tree, "status", "--porcelain", "--untracked-files=no"],
                           capture_output=True, text=True)
    return head.stdout.strip() + (" (with uncommitted changes)" if dirty.stdout.strip() else "")


def machine():
    """The cores and the load, for a table's heading."""
    return f"{len(os.sched_getaffinity(0))} cores (nproc), load average {os.getloadavg()[0]:.1f}"
