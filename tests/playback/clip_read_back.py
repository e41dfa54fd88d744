#!/usr/bin/env python3
"""Exports a recording written by the sample card writer with export-clip (under Wine) and reads the AVI file
back with Debian's ffprobe and ffmpeg: two streams (Motion-JPEG at the recording's frame rate,
8-bit mono PCM at 11025 samples per second), as many frames as the player shows slots, the
duration that follows, chosen frames equal to the recorder's own (the recorder's JPEG layout,
and the same picture as tarvo-dump draws from the recording), and the sound equal to the WAVE
files tarvo-dump extracts, each starting at its file's first slot.

usage: clip_read_back.py EMULATOR EXPORT_CLIP TARVO_DUMP FOLDER event|continuous WORKDIR"""
import json
import os
import shutil
import subprocess
import sys

emulator, export_clip, tarvo_dump, folder, kind, work = sys.argv[1:7]
emulator = emulator.split("|")  # the emulator program and its arguments
fps = 30 if kind == "event" else 10
shutil.rmtree(work, ignore_errors=True)
os.makedirs(work)
failures = []


def check(condition, what):
    print(("ok    " if condition else "FAIL  ") + what)
    if not condition:
        failures.append(what)


def run(*command):
    return subprocess.run(command, check=True, stdout=subprocess.PIPE, stderr=subprocess.PIPE).stdout


def windows(*command):
    return run(*emulator, *command)


if kind == "continuous":
    # The chapters in the order the viewer plays them, as its folder finder lists them.
    listing = json.loads(windows(tarvo_dump, "--folder", folder))
    files = [os.path.join(folder, name) for name in listing["chapters"]]
else:
    files = [os.path.join(folder, "Video.dvt")]

# What the recorder stored, as tarvo-dump reads it: frames and sound of every file.
parts = []
for index, path in enumerate(files):
    wav = os.path.join(work, "part%d.wav" % index)
    report = json.loads(windows(tarvo_dump, path, "--wav", wav))
    with open(wav, "rb") as f:
        samples = f.read()[44:]
    # The player shows every frame and holds the last one until the sound has ended.
    sound_slots = -(-len(samples) * fps // 11025)
    parts.append({"path": path, "frames": report["frame_count"], "samples": samples,
                  "slots": max(report["frame_count"], sound_slots)})
start = 0
for part in parts:
    part["first_slot"] = start
    start += part["slots"]
slots = start

avi = os.path.join(work, "clip.avi")
windows(export_clip, folder, kind, avi)

# Streams, codec, rate, frame count and duration.
probe = json.loads(run("ffprobe", "-v", "error", "-count_frames", "-show_streams", "-show_format",
                       "-of", "json", avi))
streams = probe["streams"]
check(len(streams) == 2, "two streams")
video = next(s for s in streams if s["codec_type"] == "video")
audio = next(s for s in streams if s["codec_type"] == "audio")
check(video["codec_name"] == "mjpeg" and video["codec_tag_string"] == "MJPG", "video is Motion-JPEG ('MJPG')")
check(video["r_frame_rate"] == "%d/1" % fps, "frame rate %d/1 (%s)" % (fps, video["r_frame_rate"]))
check(int(video["nb_read_frames"]) == slots, "frames read %s, slots %d" % (video["nb_read_frames"], slots))
check(int(video["nb_frames"]) == slots, "frames in the header %s" % video["nb_frames"])
check(abs(float(probe["format"]["duration"]) - slots / fps) < 0.5 / fps,
      "duration %s s for %d slots" % (probe["format"]["duration"], slots))
check(audio["codec_name"] == "pcm_u8" and int(audio["sample_rate"]) == 11025 and int(audio["channels"]) == 1,
      "sound is 8-bit mono PCM at 11025 samples per second")

# The sound: each file's samples from its first slot on, silence (0x80) around them.
raw = os.path.join(work, "sound.raw")
run("ffmpeg", "-v", "error", "-i", avi, "-map", "0:a", "-c:a", "pcm_u8", "-f", "u8", "-y", raw)
with open(raw, "rb") as f:
    sound = f.read()
check(len(sound) == slots * 11025 // fps, "%d samples for %d slots" % (len(sound), slots))
covered = bytearray(b"\x80") * len(sound)
for index, part in enumerate(parts):
    at = part["first_slot"] * 11025 // fps
    covered[at:at + len(part["samples"])] = part["samples"]
    check(sound[at:at + len(part["samples"])] == part["samples"],
          "file %d: its %d samples from sample %d on" % (index, len(part["samples"]), at))
check(sound == bytes(covered), "silence everywhere else")

# Pictures: the JPEG chunks as stored, and chosen frames against tarvo-dump's picture of them.
jpegs = os.path.join(work, "jpeg")
os.makedirs(jpegs)
run("ffmpeg", "-v", "error", "-i", avi, "-map", "0:v", "-c:v", "copy", "-f", "image2",
    "-start_number", "0", os.path.join(jpegs, "%05d.jpg"))


def luma(path):
    # Brightness alone: two JPEG decoders agree on it within a few levels, while they up-sample
    # the colour differently.
    return run("ffmpeg", "-v", "error", "-i", path, "-f", "rawvideo", "-pix_fmt", "gray", "-")


def pixels_apart(a, b):
    """How many pixels differ by more than 24 levels."""
    return sum(1 for x, y in zip(a, b) if abs(x - y) > 24)


def dump_picture(part, frame):
    bmp = os.path.join(work, "dump-%d-%d.bmp" % (parts.index(part), frame))
    windows(tarvo_dump, part["path"], "--frame", str(frame), "--bmp", bmp)
    return luma(bmp)


for index, part in enumerate(parts):
    # Where the files join (each file's first frame, the last one's last) and the middle of an
    # event.
    chosen = {0} | ({part["frames"] // 2} if kind == "event" else set())
    if index == len(parts) - 1:
        chosen.add(part["frames"] - 1)
    for frame in sorted(chosen):
        slot = part["first_slot"] + frame
        name = os.path.join(jpegs, "%05d.jpg" % slot)
        with open(name, "rb") as f:
            head = f.read(6)
        check(head == bytes([0xFF, 0xD8, 0xFF, 0xC4, 0x01, 0xA2]),
              "slot %d holds the recorder's own JPEG layout" % slot)
        shown = luma(name)
        same = pixels_apart(shown, dump_picture(part, frame))
        # The frame number drawn into every picture tells a frame from its neighbour.
        neighbour = frame + 1 if frame + 1 < part["frames"] else frame - 1
        other = pixels_apart(shown, dump_picture(part, neighbour))
        check(same == 0 and other >= 50,
              "slot %d is file %d's frame %d (pixels apart: %d, from frame %d: %d)"
              % (slot, index, frame, same, neighbour, other))

print("%d slots, %d checks failed" % (slots, len(failures)))
sys.exit(1 if failures else 0)
