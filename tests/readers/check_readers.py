#!/usr/bin/env python3
"""Every corpus export, in both modes, plain and with captions and styles, written as SubRip and as
WebVTT and read back by real readers: python3-srt and ffmpeg for SubRip, a strict WebVTT parser and
ffmpeg for WebVTT. The WebVTT must hold the SubRip's cues less those that do not end after they
start.
   check_readers.py CAPLIFT_CONVERT CORPUS NODE_MODULES"""
import os, pathlib, subprocess, sys, tempfile

convert, corpus, modules = sys.argv[1:4]
if not os.path.isdir(corpus):
    sys.exit(print(f"corpus not found at {corpus}; skipping the real exports"))
try:
    import srt
except ImportError:  # Debian's python3-srt; elsewhere there may be none
    sys.exit(print("python3-srt not found; skipping the real readers"))


def ffmpeg_cues(path):
    if os.path.getsize(path) == 0:  # no format to probe
        return 0
    probe = ["ffprobe", "-v", "error", "-i", path, "-show_entries", "packet=pts", "-of", "csv=p=0"]
    return len(subprocess.run(probe, capture_output=True, text=True, check=True).stdout.split())


work = pathlib.Path(tempfile.mkdtemp())
failures, vtts, expected = [], [], []
OPTIONS = ([], ["--timeline"], ["--source", "all", "--style", "all"],
           ["--timeline", "--source", "captions", "--style", "all"])
for document in sorted(pathlib.Path(corpus).rglob("*.fcpxml")):
    for number, options in enumerate(OPTIONS):
        run = lambda *args: subprocess.run([convert, *options, *args, str(document)],
                                           capture_output=True)
        if run().returncode != 0:  # no project to place: nothing to read
            continue
        name = f"{document.parent.name}-{document.stem}-{number}"
        text = run().stdout.decode()
        cues = list(srt.parse(text))
        if srt.compose(cues, reindex=False) != text:
            failures.append(f"{name}.srt: python3-srt reads it otherwise")
        # What WebVTT keeps, in its order, as SubRip again: ffmpeg must count the same in both.
        kept = sorted((c for c in cues if c.end > c.start), key=lambda c: c.start)
        (work / f"{name}.kept.srt").write_text(srt.compose(kept))
        vtt = work / f"{name}.vtt"
        vtt.write_bytes(run("--format", "vtt").stdout)
        if ffmpeg_cues(str(vtt)) != ffmpeg_cues(str(work / f"{name}.kept.srt")):
            failures.append(f"{vtt.name}: ffmpeg counts another number of cues")
        vtts.append(str(vtt))
        expected.append(str(len(kept)))

parsed = subprocess.run(["node", os.path.join(os.path.dirname(__file__), "check_webvtt.js"), *vtts],
                        capture_output=True, text=True, env={**os.environ, "NODE_PATH": modules})
for path, count, want in zip(vtts, parsed.stdout.splitlines(), expected):
    if count != want:
        failures.append(f"{os.path.basename(path)}: the strict parser says {count}, not {want} cues")
print("\n".join(failures) or f"{len(vtts)} WebVTT files and their SubRip read alike")
sys.exit(1 if failures or parsed.returncode else 0)
