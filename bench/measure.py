#!/usr/bin/env python3
"""Runs every measurement of bench/run.sh and writes the tables (standard output and RESULTS.md).

Programs that are compared run in turns, round after round, so that a change of load on the
machine falls on all of them alike; each figure is the median of its runs. Wall time is measured
around the process, peak memory is GNU time's %M (maximum resident set size) of the same run.
"""

import argparse
import datetime
import filecmp
import hashlib
import json
import os
import platform
import resource
import shutil
import statistics
import subprocess
import sys
import time
from collections import namedtuple
from pathlib import Path

Result = namedtuple("Result", "wall peak cpu")

MB = 1000 * 1000
MAIN_TITLES = 200000
GROWTH_SIZES = [1 * MB, 10 * MB, 100 * MB, 1000 * MB]

# The targets.
MAX_CONVERT_OVER_SAX = 1.2
MIN_LXML_OVER_CONVERT = 20
MAX_CONVERT_PEAK_MIB = 64
MAX_APP_OVER_CONVERT = 1.1
MAX_APP_PEAK_MIB = 100
MAX_LAUNCH_MS = 300
MAX_TIMELINE_OVER_CONVERT = 2.5
MAX_TIMELINE_PEAK_MIB = 160
MAX_VTT_OVER_SRT = 1.05
MAX_DEFAULT_PEAK_MIB = 16
MAX_STYLE_OVER_PLAIN = 1.15
MAX_ROLES_OVER_PLAIN = 1.05
# The batch: exports of mixed sizes, from a few hundred titles to several thousand.
BATCH_TITLES = [250 + (i * 2477) % 8000 for i in range(64)]
MAX_TWO_JOBS_OVER_ONE = 0.6


class Bench:
    def __init__(self, args):
        self.args = args
        self.build = Path(args.build)
        self.data = Path(args.data)
        self.work = Path(args.work)
        self.bench = Path(__file__).resolve().parent
        self.convert = self.build / "cli" / "caplift-convert"
        self.sax = self.build / "bench" / "caplift_bench_sax_count"
        self.generate = self.build / "bench" / "caplift_bench_generate"
        self.micro = self.build / "bench" / "caplift_bench_micro"
        self.app = self.build / "bench" / "caplift_bench_app"
        self.lines = []
        self.verdicts = []

    # ---- output

    def say(self, text=""):
        print(text, flush=True)

    def out(self, text=""):
        self.lines.append(text)
        self.say(text)

    def verdict(self, what, value, target, met):
        self.verdicts.append((what, value, target, met))

    # ---- data

    def document(self, name, how):
        """Generates bench/data/<name>.fcpxml once (again when the generator changed)."""
        path = self.data / (name + ".fcpxml")
        stamp = self.data / (name + ".stamp")
        source = (self.bench / "generate_export.cpp").read_bytes()
        version = hashlib.sha256(source + " ".join(how).encode()).hexdigest()
        if not path.exists() or not stamp.exists() or stamp.read_text().split()[0] != version:
            self.say(f"generating {path.name} ...")
            result = subprocess.run([str(self.generate), str(path), *how], check=True,
                                    capture_output=True, text=True)
            size, titles = result.stdout.split()
            stamp.write_text(f"{version} {size} {titles}\n")
        _, size, titles = stamp.read_text().split()
        return path, int(size), int(titles)

    # ---- measuring

    def run_once(self, argv, env=None):
        """Runs one program under GNU time; returns (wall s, peak KiB, CPU s, standard output,
        CLOCK_MONOTONIC ns just before the process was spawned)."""
        memory = self.work / "memory.txt"
        before = resource.getrusage(resource.RUSAGE_CHILDREN)
        started_ns = time.monotonic_ns()
        started = time.perf_counter()
        result = subprocess.run(["/usr/bin/time", "-f", "%M", "-o", str(memory), *map(str, argv)],
                                env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        wall = time.perf_counter() - started
        after = resource.getrusage(resource.RUSAGE_CHILDREN)
        if result.returncode != 0:
            sys.exit(f"bench: {Path(str(argv[0])).name} failed: {result.stderr.strip()}")
        cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
        return wall, int(memory.read_text().split()[-1]), cpu, result.stdout, started_ns

    def measure(self, commands, rounds, warmup=1):
        """commands: (name, argv, runs per round). The programs take turns, round after round, so
        that a change of load on the machine falls on all of them alike. Returns
        {name: Result(median wall s, median peak KiB, median CPU s)}."""
        samples = {name: [] for name, _, _ in commands}
        for round_number in range(warmup + rounds):
            for name, argv, repeats in commands:
                for _ in range(repeats):
                    sample = self.run_once(argv)
                    if round_number >= warmup:
                        samples[name].append(sample)
        return {name: Result(statistics.median(s[0] for s in runs),
                             statistics.median(s[1] for s in runs),
                             statistics.median(s[2] for s in runs))
                for name, runs in samples.items()}

    def app_sample(self, argv):
        """One run of the app benchmark: its key=value lines as numbers, with the process's peak
        memory and its launch time (spawn to the shown main window)."""
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
        _, peak, _, output, started_ns = self.run_once([self.app, *argv], env=env)
        values = dict(line.split("=", 1) for line in output.split() if "=" in line)
        sample = {key: float(value) for key, value in values.items()}
        sample["launch_ms"] = (int(values["shown_ns"]) - started_ns) / 1e6
        sample["peak_kib"] = peak
        return sample

    # ---- the measurements

    def main_comparison(self):
        path, size, titles = self.document(f"export-{MAIN_TITLES // 1000}k", ["-t", str(MAIN_TITLES)])
        self.main = (path, size, titles)
        self.say(f"\n== {path.name}: {size / MB:.1f} MB, {titles} titles")
        srt = self.work / "convert.srt"
        timeline_srt = self.work / "timeline.srt"
        vtt = self.work / "convert.vtt"
        timeline_vtt = self.work / "timeline.vtt"
        lxml_srt = self.work / "lxml.srt"
        results = self.measure([
            ("sax", [self.sax, path], 2),
            ("convert", [self.convert, path, "-o", srt], 2),
            ("timeline", [self.convert, "--timeline", path, "-o", timeline_srt], 2),
            ("vtt", [self.convert, path, "-o", vtt], 2),
            ("timeline-vtt", [self.convert, "--timeline", path, "-o", timeline_vtt], 2),
            ("style", [self.convert, "--style", "all", path, "-o", self.work / "style.srt"], 2),
            ("timeline-style", [self.convert, "--timeline", "--style", "all", path, "-o",
                                self.work / "timeline-style.srt"], 2),
            ("roles", [self.convert, "--source", "all", "--role", "Titles", path, "-o",
                       self.work / "roles.srt"], 2),
            ("timeline-roles", [self.convert, "--timeline", "--source", "all", "--role", "Titles",
                                path, "-o", self.work / "timeline-roles.srt"], 2),
            ("lxml", [self.args.python, self.bench / "lxml_convert.py", path, lxml_srt], 1),
        ], rounds=self.args.runs)
        text = srt.read_bytes()
        if text != lxml_srt.read_bytes():
            sys.exit("bench: the lxml script and caplift-convert disagree on the SRT text")
        if text.count(b" --> ") != titles:
            sys.exit(f"bench: {titles} titles generated, but not as many cues converted")
        if timeline_srt.read_bytes().count(b" --> ") != titles:
            sys.exit(f"bench: {titles} titles on the timeline, but not as many cues placed")
        sax, convert, lxml = results["sax"], results["convert"], results["lxml"]
        self.main_results = (sax, convert)
        over_sax = convert.wall / sax.wall
        over_lxml = lxml.wall / convert.wall

        self.out(f"### Conversion of one export: {size / MB:.1f} MB, {titles:,} titles")
        self.out()
        self.out(f"SRT output: {srt.stat().st_size / MB:.1f} MB, byte-for-byte the same from "
                 "caplift-convert and the lxml script.")
        self.out()
        self.out("| program | median wall time | time vs caplift-convert | median CPU time "
                 "(user + system) | peak memory (max RSS) |")
        self.out("|---|---:|---:|---:|---:|")
        for name, label in (("sax", "libxml2 SAX2 parse, start-tag counter only (floor)"),
                            ("convert", "**caplift-convert** FILE -o OUT.srt"),
                            ("timeline", "caplift-convert **--timeline** FILE -o OUT.srt"),
                            ("vtt", "caplift-convert FILE -o **OUT.vtt**"),
                            ("timeline-vtt", "caplift-convert --timeline FILE -o **OUT.vtt**"),
                            ("style", "caplift-convert **--style all** FILE -o OUT.srt"),
                            ("timeline-style", "caplift-convert --timeline **--style all** FILE"),
                            ("roles", "caplift-convert **--source all --role Titles** FILE"),
                            ("timeline-roles", "caplift-convert --timeline **--source all --role "
                             "Titles** FILE"),
                            ("lxml", "Python 3 + lxml script, same algorithm")):
            result = results[name]
            self.out(f"| {label} | {result.wall * 1000:,.0f} ms | "
                     f"{result.wall / convert.wall:.2f} × | {result.cpu * 1000:,.0f} ms | "
                     f"{result.peak / 1024:,.1f} MiB |")
        self.out()
        self.out(f"- caplift-convert / bare SAX2 parse: **{over_sax:.2f} ×** "
                 f"(target ≤ {MAX_CONVERT_OVER_SAX} ×); in CPU time {convert.cpu / sax.cpu:.2f} ×")
        self.out(f"- lxml script / caplift-convert: **{over_lxml:.1f} ×** "
                 f"(target ≥ {MIN_LXML_OVER_CONVERT} ×); in CPU time {lxml.cpu / convert.cpu:.1f} ×")
        timeline = results["timeline"]
        over_default = timeline.wall / convert.wall
        timeline_peak = timeline.peak / 1024
        self.out(f"- timeline mode / default mode: **{over_default:.2f} ×** (target ≤ "
                 f"{MAX_TIMELINE_OVER_CONVERT} ×); in CPU time {timeline.cpu / convert.cpu:.2f} ×; "
                 f"peak memory **{timeline_peak:.1f} MiB** (target ≤ {MAX_TIMELINE_PEAK_MIB} MiB), "
                 f"{timeline.peak * 1024 / size:.2f} × the file")
        vtt_over = results["vtt"].wall / convert.wall
        timeline_vtt_over = results["timeline-vtt"].wall / timeline.wall
        default_peak = convert.peak / 1024
        self.out(f"- WebVTT / SubRip: **{vtt_over:.2f} ×** in the default mode, "
                 f"**{timeline_vtt_over:.2f} ×** in the timeline mode (target ≤ {MAX_VTT_OVER_SRT} ×); "
                 f"WebVTT peak memory {results['vtt'].peak / 1024:.1f} MiB (it holds the cues to sort "
                 f"them); the default mode's SubRip peak **{default_peak:.1f} MiB** "
                 f"(target ≤ {MAX_DEFAULT_PEAK_MIB} MiB)")
        self.out()
        for what, value in (("WebVTT ≤ 1.05 × SubRip, default mode", vtt_over),
                            ("WebVTT ≤ 1.05 × SubRip, timeline mode", timeline_vtt_over)):
            self.verdict(what, f"{value:.2f} ×", f"≤ {MAX_VTT_OVER_SRT} ×", value <= MAX_VTT_OVER_SRT)
        for what, name, plain, target in (
                ("--style all ≤ 1.15 × plain, default mode", "style", convert, MAX_STYLE_OVER_PLAIN),
                ("--style all ≤ 1.15 × plain, timeline mode", "timeline-style", timeline,
                 MAX_STYLE_OVER_PLAIN),
                ("--source all --role ≤ 1.05 × plain, default mode", "roles", convert,
                 MAX_ROLES_OVER_PLAIN),
                ("--source all --role ≤ 1.05 × plain, timeline mode", "timeline-roles", timeline,
                 MAX_ROLES_OVER_PLAIN)):
            ratio = results[name].wall / plain.wall
            self.verdict(what, f"{ratio:.2f} ×", f"≤ {target} ×", ratio <= target)
        self.verdict("default mode SubRip peak memory", f"{default_peak:.1f} MiB",
                     f"≤ {MAX_DEFAULT_PEAK_MIB} MiB", default_peak <= MAX_DEFAULT_PEAK_MIB)
        self.verdict("timeline mode ≤ 2.5 × the default mode", f"{over_default:.2f} ×",
                     f"≤ {MAX_TIMELINE_OVER_CONVERT} ×", over_default <= MAX_TIMELINE_OVER_CONVERT)
        self.verdict("timeline mode peak memory", f"{timeline_peak:.1f} MiB",
                     f"≤ {MAX_TIMELINE_PEAK_MIB} MiB", timeline_peak <= MAX_TIMELINE_PEAK_MIB)
        self.verdict("caplift-convert ≤ 1.2 × bare SAX2 parse", f"{over_sax:.2f} ×",
                     f"≤ {MAX_CONVERT_OVER_SAX} ×", over_sax <= MAX_CONVERT_OVER_SAX)
        self.verdict("caplift-convert ≥ 20 × faster than lxml", f"{over_lxml:.1f} ×",
                     f"≥ {MIN_LXML_OVER_CONVERT} ×", over_lxml >= MIN_LXML_OVER_CONVERT)

    def growth(self):
        rows = []
        documents = [self.document(f"export-{size // MB}mb", [str(size)])
                     for size in GROWTH_SIZES]
        documents.append(self.main)
        documents.sort(key=lambda d: d[1])
        for path, size, titles in documents:
            if path == self.main[0]:
                rows.append((size, titles, *self.main_results))
                continue
            self.say(f"\n== growth: {path.name}")
            results = self.measure([
                ("sax", [self.sax, path], 1),
                ("convert", [self.convert, path, "-o", self.work / "growth.srt"], 1),
            ], rounds=self.args.runs)
            rows.append((size, titles, results["sax"], results["convert"]))
        self.out("### Growth: 1 MB to 1 GB")
        self.out()
        self.out("| file | titles | caplift-convert | throughput | per title | CPU time | "
                 "peak memory | SAX2 floor | ratio | CPU time ratio |")
        self.out("|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|")
        peaks = []
        for size, titles, sax, convert in rows:
            peaks.append(convert.peak / 1024)
            self.out(f"| {size / MB:,.1f} MB | {titles:,} | {convert.wall * 1000:,.0f} ms | "
                     f"{size / MB / convert.wall:.0f} MB/s | "
                     f"{convert.wall / titles * 1e9:,.0f} ns | {convert.cpu * 1000:,.0f} ms | "
                     f"{convert.peak / 1024:.1f} MiB | {sax.wall * 1000:,.0f} ms | "
                     f"{convert.wall / sax.wall:.2f} × | {convert.cpu / sax.cpu:.2f} × |")
        self.out()
        largest = max(peaks)
        small, big = rows[0], rows[-1]
        self.out(f"- peak memory from {small[0] / MB:.0f} MB to {big[0] / MB:,.0f} MB: "
                 f"{min(peaks):.1f} to {largest:.1f} MiB (target ≤ {MAX_CONVERT_PEAK_MIB} MiB)")
        self.out(f"- time per title: {small[3].wall / small[1] * 1e9:,.0f} ns at "
                 f"{small[0] / MB:.0f} MB (process start included), "
                 f"{big[3].wall / big[1] * 1e9:,.0f} ns at {big[0] / MB:,.0f} MB; CPU time per "
                 f"title {big[3].cpu / big[1] * 1e9:,.0f} ns at {big[0] / MB:,.0f} MB")
        self.out("- the wall time of caplift-convert includes making its output durable (the "
                 "atomic save syncs the SRT file to disk before it replaces the target), which "
                 "the SAX2 floor does not do and which grows with the disk's write speed; the CPU "
                 "time shows the work itself")
        self.out()
        self.verdict("caplift-convert peak memory, 1 MB to 1 GB", f"≤ {largest:.1f} MiB",
                     f"≤ {MAX_CONVERT_PEAK_MIB} MiB", largest <= MAX_CONVERT_PEAK_MIB)
        self.growth_rows = rows

    def batch(self):
        documents = [self.document(f"batch-{i:02d}", ["-t", str(titles)])
                     for i, titles in enumerate(BATCH_TITLES)]
        paths = [path for path, _, _ in documents]
        size = sum(s for _, s, _ in documents)
        self.say(f"\n== batch: {len(paths)} exports, {size / MB:.1f} MB")
        folders = {jobs: self.work / f"batch-j{jobs}" for jobs in (1, 2)}
        results = self.measure([
            (jobs, [self.convert, "-q", "-j", str(jobs), "-d", folder, *paths], 1)
            for jobs, folder in folders.items()], rounds=self.args.runs)
        same = all(filecmp.cmp(folders[1] / (p.stem + ".srt"), folders[2] / (p.stem + ".srt"),
                               shallow=False) for p in paths)
        ratio = results[2].wall / results[1].wall
        self.out(f"### A batch: {len(paths)} exports, {size / MB:.1f} MB, "
                 f"{min(BATCH_TITLES):,} to {max(BATCH_TITLES):,} titles each")
        self.out()
        self.out("| run | median wall time | vs -j 1 | median CPU time | peak memory |")
        self.out("|---|---:|---:|---:|---:|")
        for jobs in (1, 2):
            r = results[jobs]
            self.out(f"| caplift-convert -q **-j {jobs}** -d DIR FILE... | {r.wall * 1000:,.0f} ms "
                     f"| {r.wall / results[1].wall:.2f} × | {r.cpu * 1000:,.0f} ms "
                     f"| {r.peak / 1024:.1f} MiB |")
        self.out()
        self.out(f"- outputs of -j 2 and -j 1: {'byte-for-byte the same' if same else '**differ**'}")
        self.out()
        self.verdict("batch: -j 2 ≤ 0.6 × -j 1, outputs the same", f"{ratio:.2f} ×",
                     f"≤ {MAX_TWO_JOBS_OVER_ONE} ×", same and ratio <= MAX_TWO_JOBS_OVER_ONE)

    def app_open_to_preview(self):
        path, size, titles = self.main
        self.say("\n== app: chosen file to shown preview, and launch")
        # Side by side with the converter, in turns, like the other comparisons.
        samples, converts = [], []
        for round_number in range(1 + self.args.runs):
            convert = self.run_once([self.convert, path, "-o", self.work / "app-convert.srt"])
            sample = self.app_sample([path])
            if round_number > 0:
                converts.append(convert[0])
                samples.append(sample)
        launches = [self.app_sample([]) for _ in range(1 + 2 * self.args.runs)][1:]

        def median(key, of=samples):
            return statistics.median(s[key] for s in of)

        convert_ms = statistics.median(converts) * 1000
        filled = median("filled_ms")
        shown = median("shown_ms")
        peak = median("peak_kib") * 1024
        launch = median("launch_ms", launches)
        launch_peak = median("peak_kib", launches)
        over_convert = filled / convert_ms
        self.out(f"### The app: chosen file to filled preview ({size / MB:.1f} MB, "
                 f"{titles:,} titles), and launch")
        self.out()
        self.out("| step | median |")
        self.out("|---|---:|")
        self.out(f"| read and convert (streamed from the file, as caplift-convert does) | "
                 f"{median('convert_ms'):,.0f} ms |")
        self.out(f"| build the preview window, its text view given the SRT | "
                 f"{median('preview_ms'):,.0f} ms |")
        self.out(f"| **chosen file → filled preview** | **{filled:,.0f} ms** |")
        self.out(f"| show the preview: exposed and painted | {median('show_ms'):,.0f} ms |")
        self.out(f"| chosen file → preview on screen | {shown:,.0f} ms |")
        self.out(f"| caplift-convert on the same file, run in turns with the app | "
                 f"{convert_ms:,.0f} ms |")
        self.out(f"| peak memory of the whole app process (max RSS) | {peak / 2**20:,.0f} MiB "
                 f"({peak / size:.2f} × the file) |")
        self.out(f"| **launch: process start → main window shown** | **{launch:.0f} ms** "
                 f"(peak memory {launch_peak / 1024:.0f} MiB) |")
        self.out()
        self.out(f"- filled preview / caplift-convert: **{over_convert:.2f} ×** (target ≤ "
                 f"{MAX_APP_OVER_CONVERT} ×); with the preview on screen: "
                 f"{shown / convert_ms:.2f} ×")
        self.out(f"- peak memory: **{peak / 2**20:,.0f} MiB** (target ≤ {MAX_APP_PEAK_MIB} MiB), "
                 f"{peak / size:.2f} × the file")
        self.out(f"- launch: **{launch:.0f} ms** (target ≤ {MAX_LAUNCH_MS} ms)")
        self.out()
        self.verdict("app: chosen file → filled preview ≤ 1.1 × caplift-convert",
                     f"{over_convert:.2f} ×", f"≤ {MAX_APP_OVER_CONVERT} ×",
                     over_convert <= MAX_APP_OVER_CONVERT)
        self.verdict("app: peak memory on that export", f"{peak / 2**20:,.0f} MiB",
                     f"≤ {MAX_APP_PEAK_MIB} MiB", peak / 2**20 <= MAX_APP_PEAK_MIB)
        self.verdict("app: launch to a shown main window", f"{launch:.0f} ms",
                     f"≤ {MAX_LAUNCH_MS} ms", launch <= MAX_LAUNCH_MS)

    def micro_benchmarks(self):
        self.say("\n== micro-benchmarks")
        report = self.work / "micro.json"
        subprocess.run([str(self.micro), "--benchmark_repetitions=5",
                        "--benchmark_report_aggregates_only=true",
                        f"--benchmark_out={report}", "--benchmark_out_format=json"],
                       check=True, stdout=subprocess.DEVNULL)
        self.out("### Micro-benchmarks (Google Benchmark, median of 5 repetitions)")
        self.out()
        self.out("| benchmark | time per call | |")
        self.out("|---|---:|---|")
        for entry in json.loads(report.read_text())["benchmarks"]:
            if entry.get("aggregate_name") != "median":
                continue
            name = entry["run_name"]
            unit = entry["time_unit"]
            note = entry.get("label", "")
            if "items_per_second" in entry:
                note = f"{1e9 / entry['items_per_second']:,.0f} ns per title, " \
                       f"{entry.get('bytes_per_second', 0) / MB:,.0f} MB/s"
            self.out(f"| {name} | {entry['real_time']:,.1f} {unit} | {note} |")
        self.out()

    # ---- the whole report

    def header(self):
        cpu = "unknown CPU"
        try:
            for line in Path("/proc/cpuinfo").read_text().splitlines():
                if line.startswith("model name"):
                    cpu = line.split(":", 1)[1].strip()
                    break
        except OSError:
            pass
        lxml_version = subprocess.run(
            [self.args.python, "-c",
             "import lxml.etree as e, sys; print('Python %d.%d, lxml %s on libxml2 %s' % "
             "(sys.version_info[0], sys.version_info[1], e.__version__, "
             "'.'.join(map(str, e.LIBXML_VERSION))))"],
            capture_output=True, text=True, check=True).stdout.strip()
        commit = subprocess.run(["git", "-C", str(self.bench), "describe", "--always", "--dirty"],
                                capture_output=True, text=True).stdout.strip() or "unknown"
        return [
            "# Benchmark results",
            "",
            f"Measured by `./dev.sh bench` (bench/run.sh) at commit {commit}, on "
            f"{datetime.date.today().isoformat()}: "
            f"{cpu}, {os.cpu_count()} cores, {platform.system()} {platform.release()}; "
            f"{lxml_version}. Release build (-O3). Every figure is the median of "
            f"{self.args.runs} or more runs; the programs compared with each other ran "
            "in turns in this one run. Load average before the run: "
            f"{self.load_before}, after: {self.load_after}.",
            "",
        ]

    def what_is_measured(self):
        return [
            "### What is measured",
            "",
            "- **Exports**: made by `caplift_bench_generate` (bench/generate_export.cpp), the same "
            "bytes for the same arguments: resources (format, title effects, media), then one "
            "sequence whose spine holds clips with connected titles, gaps with a title and titles "
            "straight on the spine; each title has parameters, a text element with one or two "
            "text-style runs (some with two lines, escaped characters and non-ASCII words), a "
            "text-style definition, and rational times (\"1001/30000s\"). The main file is cut at "
            "200 000 titles; the growth files at 1, 10, 100 and 1000 MB.",
            "- **caplift-convert**: `caplift-convert FILE -o OUT.srt`, the whole process "
            "(start, streaming conversion, atomic write of the SRT file).",
            "- **timeline mode**: `caplift-convert --timeline FILE -o OUT.srt`, the same process "
            "placing every title on the project's timeline: one streaming pass builds the compact "
            "model, then the walk, the sort and the writing of the cues; each of the 200,000 "
            "titles is checked to be placed.",
            "- **SAX2 floor**: `caplift_bench_sax_count FILE` (bench/sax_count.c), libxml2's SAX2 "
            "parser with one callback that counts start tags, the converter's parser options "
            "(NOENT, NONET, IGNORE_ENC) and the same reading: libxml2 pulls the file through a "
            "read callback in the chunks it asks for.",
            "- **lxml script**: `bench/lxml_convert.py FILE OUT.srt` on Debian's python3-lxml: "
            "UTF-8 check, whole-tree parse, `//title`, `.//text`, `.//text-style`, string values, "
            "trimming, the name fallback, blank lines dropped, same timestamps; its SRT text is "
            "checked to be byte-for-byte caplift-convert's.",
            "- **Peak memory**: GNU time's `%M` (maximum resident set size) of each run.",
            "- **App**: `caplift_bench_app FILE` (bench/app_bench.cpp) under "
            "QT_QPA_PLATFORM=offscreen starts as caplift's main() does (Qt platform, one "
            "AppDelegate, the event loop). Once the main window is shown it runs `openFile`, with "
            "scripted dialogs that answer the open dialog with FILE at once; the benchmark notes "
            "the time of each step from the windows' events, and everything else is the real "
            "application. *Chosen file → filled preview* runs from the open dialog's answer to "
            "the moment the preview window is built and its text view holds the SRT text "
            "(the file streamed through the converter as caplift-convert reads it, the progress "
            "bar when the conversion passes half a second, the preview window with the text "
            "given to its view), just before its modal loop starts; *on screen* adds the time "
            "until that window has been exposed and painted. Peak memory is the whole process "
            "(Qt included).",
            "- **Launch**: `caplift_bench_app` without a file, from just before the process is "
            "spawned to the end of the event that exposed and painted the main window "
            "(CLOCK_MONOTONIC on both sides).",
            "",
        ]

    def run(self):
        self.work.mkdir(parents=True, exist_ok=True)
        self.data.mkdir(parents=True, exist_ok=True)
        self.load_before = " ".join(f"{x:.2f}" for x in os.getloadavg())
        if self.args.batch_only:
            self.batch()
            return all(met for *_, met in self.verdicts)
        self.main_comparison()
        self.growth()
        self.batch()
        if self.app.exists():
            self.app_open_to_preview()
        else:
            self.say("bench: no caplift_bench_app (built without the GUI): app figures skipped")
        self.micro_benchmarks()
        self.load_after = " ".join(f"{x:.2f}" for x in os.getloadavg())

        summary = ["### Targets", "", "| target | measured | required | met |",
                   "|---|---:|---:|:---:|"]
        for what, value, target, met in self.verdicts:
            summary.append(f"| {what} | {value} | {target} | {'yes' if met else '**no**'} |")
        summary.append("")
        text = "\n".join(self.header() + summary + self.lines + self.what_is_measured())
        Path(self.args.results).write_text(text + "\n")
        self.say("\n" + "\n".join(summary))
        self.say(f"written to {self.args.results}")
        return all(met for *_, met in self.verdicts)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--build", required=True)
    parser.add_argument("--data", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--results", required=True)
    parser.add_argument("--python", required=True, help="a Python 3 with lxml")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--batch-only", action="store_true",
                        help="only the batch, printed and not written to the results")
    args = parser.parse_args()
    if shutil.which("/usr/bin/time") is None:
        sys.exit("bench: GNU time is missing (./dev.sh bench installs it)")
    sys.exit(0 if Bench(args).run() else 1)


if __name__ == "__main__":
    main()
